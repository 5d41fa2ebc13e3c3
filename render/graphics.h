#pragma once
// Everything drawing needs that start-up makes once, for the renderer the
// player chose: the textures, the shader pair, the meshes and their GL
// copies, and the frame description reused from frame to frame.

#include "assets/shader_program.h"
#include "assets/textures.h"
#include "render/classic_backend.h"
#include "render/frame.h"
#include "render/meshes.h"

enum class Renderer { Classic, Shaders };

struct Graphics {
    Renderer renderer = Renderer::Classic;
    Textures textures;
    ShaderProgram shader;
    MeshSet meshes;
    ClassicBuffers classic;
    Frame frame;
};

// The GL names of the textures, as a frame names them.
TextureIds textureIdsOf(const Textures& textures);

// The textures, the shader pair (made current when it builds) and the
// meshes of this course. Needs a current GL context.
Graphics initGraphics(const Course& course, Renderer renderer = Renderer::Classic);

// Describes the frame and draws it with the chosen renderer, cleared first;
// the caller shows it.
void drawGame(Graphics& graphics, const FrameInput& input);
