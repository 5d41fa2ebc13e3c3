#define GL_GLEXT_PROTOTYPES
#include "render/graphics.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdio>

Graphics initGraphics(const Course& course, Renderer renderer)
{
    Graphics graphics;
    graphics.renderer = renderer;
    if (renderer == Renderer::Classic) setClassicFixedState();
    graphics.textures = loadTextures();
    graphics.meshes = buildMeshSet(course);
    if (renderer == Renderer::Shaders) {
        const std::string error = initShaderRenderer(graphics.shaders, graphics.meshes, graphics.textures.white);
        if (error.empty()) return graphics;
        std::fprintf(stderr, "skycourse: the shader renderer cannot start (%s); drawing with the classic one\n",
                     error.c_str());
        graphics.renderer = Renderer::Classic;
        setClassicFixedState();
    }
    graphics.shader = initShaderProgram();
    graphics.classic = uploadClassicMeshes(graphics.meshes, graphics.textures.white);
    return graphics;
}

void changeCourse(Graphics& graphics, const Course& course)
{
    graphics.meshes = buildMeshSet(course);
    if (graphics.renderer == Renderer::Shaders) {
        replaceShaderMeshes(graphics.shaders, graphics.meshes);
        return;
    }
    for (const unsigned int buffer : graphics.classic.buffers) glDeleteBuffers(1, &buffer);
    graphics.classic = uploadClassicMeshes(graphics.meshes, graphics.textures.white);
}

void drawGame(Graphics& graphics, const FrameInput& input)
{
    describeFrame(graphics.frame, input, graphics.meshes, textureIdsOf(graphics.textures));
    if (graphics.renderer == Renderer::Shaders) drawFrameWithShaders(graphics.shaders, graphics.frame);
    else drawFrameClassic(graphics.frame, graphics.meshes, graphics.classic, graphics.shader);
}
