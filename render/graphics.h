#pragma once
// Everything drawing needs that start-up makes once, for the renderer the
// player chose: the textures, the shader pair, the meshes and their GL
// copies, and the frame description reused from frame to frame.

#include "assets/shader_program.h"
#include "assets/textures.h"
#include "render/classic_backend.h"
#include "render/frame.h"
#include "render/meshes.h"
#include "render/shader_backend.h"

enum class Renderer { Classic, Shaders };

struct Graphics {
    Renderer renderer = Renderer::Classic;
    Textures textures;
    ShaderProgram shader;
    MeshSet meshes;
    ClassicBuffers classic;
    ShaderRenderer shaders;
    Frame frame;
};

// The GL names of the textures, as a frame names them.
TextureIds textureIdsOf(const Textures& textures);

// The textures, the shader pair (made current when it builds) and the
// meshes of this course, for the renderer asked for. Needs a current GL
// context. A shader renderer that cannot start says why in one line on
// stderr and the classic one draws instead.
Graphics initGraphics(const Course& course, Renderer renderer = Renderer::Classic);

// Another course played: its meshes built and uploaded in place of the
// last course's, whose GL copies go.
void changeCourse(Graphics& graphics, const Course& course);

// Describes the frame and draws it with the chosen renderer, cleared first;
// the caller shows it.
void drawGame(Graphics& graphics, const FrameInput& input);
