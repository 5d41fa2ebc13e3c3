#pragma once
// Everything drawing needs that start-up makes once: the fixed GL state, the
// textures and the shader pair.

#include "assets/shader_program.h"
#include "assets/textures.h"
#include "render/meshes.h"

struct Graphics {
    Textures textures;
    ShaderProgram shader;
    Meshes meshes;
};

// The GL settings every frame relies on and nothing changes for good.
void setFixedState();

// The fixed GL state, all sixteen textures, the shader program (made
// current when it builds) and the course's meshes. Needs a current GL
// context.
Graphics initGraphics();
