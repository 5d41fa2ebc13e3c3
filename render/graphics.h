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

// The fast graphics' target: the scene drawn here, smaller than the window,
// then scaled up into it.
struct SmallTarget {
    unsigned int framebuffer = 0, colour = 0, depthStencil = 0;
    int width = 0, height = 0;
};

struct Graphics {
    Renderer renderer = Renderer::Classic;
    SmallTarget small;          // the fast graphics' scene
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

// The other renderer, chosen in the game's settings: its programs and mesh
// copies made and the last one's given back, the textures kept. A shader
// renderer that cannot start says why in one line on stderr and the one
// drawing now stays. Gives the renderer drawing after it.
Renderer changeRenderer(Graphics& graphics, Renderer renderer);

// Describes the frame and draws it with the chosen renderer, cleared first,
// into the framebuffer bound; the caller shows it. Fast (FrameInput::fast):
// the scene goes through the small target, and where the GL cannot make one
// every pixel is drawn as usual.
void drawGame(Graphics& graphics, const FrameInput& input);
