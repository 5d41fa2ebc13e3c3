#define GL_GLEXT_PROTOTYPES
#include "render/graphics.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cstdio>

namespace {

void releaseSmallTarget(SmallTarget& small)
{
    if (small.framebuffer) glDeleteFramebuffers(1, &small.framebuffer);
    if (small.colour) glDeleteRenderbuffers(1, &small.colour);
    if (small.depthStencil) glDeleteRenderbuffers(1, &small.depthStencil);
    small = {};
}

// The small target at this size, made or remade when the window changed;
// false (nothing left bound) when the GL cannot make it.
bool fitSmallTarget(SmallTarget& small, int width, int height)
{
    if (small.framebuffer && small.width == width && small.height == height) return true;
    releaseSmallTarget(small);
    glGenFramebuffers(1, &small.framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, small.framebuffer);
    glGenRenderbuffers(1, &small.colour);
    glBindRenderbuffer(GL_RENDERBUFFER, small.colour);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, small.colour);
    glGenRenderbuffers(1, &small.depthStencil);
    glBindRenderbuffer(GL_RENDERBUFFER, small.depthStencil);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, small.depthStencil);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    if (!complete) releaseSmallTarget(small);
    small.width = width;
    small.height = height;
    return complete;
}

void drawSpan(Graphics& graphics, DrawSpan span)
{
    if (graphics.renderer == Renderer::Shaders) drawFrameWithShaders(graphics.shaders, graphics.frame, span);
    else drawFrameClassic(graphics.frame, graphics.meshes, graphics.classic, graphics.shader, span);
}

}  // namespace

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

Renderer changeRenderer(Graphics& graphics, Renderer renderer)
{
    if (renderer == graphics.renderer) return renderer;
    if (renderer == Renderer::Shaders) {
        ShaderRenderer shaders;
        const std::string error = initShaderRenderer(shaders, graphics.meshes, graphics.textures.white);
        if (!error.empty()) {
            std::fprintf(stderr, "skycourse: the shader renderer cannot start (%s); drawing with the classic one\n",
                         error.c_str());
            releaseShaderRenderer(shaders);
            useShaderProgram(graphics.shader, true);
            return graphics.renderer;
        }
        for (const unsigned int buffer : graphics.classic.buffers) glDeleteBuffers(1, &buffer);
        graphics.classic = {};
        // The classic renderer's lighting program stays built for a turn
        // back, but out of use.
        useShaderProgram(graphics.shader, false);
        graphics.shaders = std::move(shaders);
        graphics.renderer = Renderer::Shaders;
        return renderer;
    }
    releaseShaderRenderer(graphics.shaders);
    setClassicFixedState();
    if (graphics.shader.program == 0) graphics.shader = initShaderProgram();
    useShaderProgram(graphics.shader, true);
    graphics.classic = uploadClassicMeshes(graphics.meshes, graphics.textures.white);
    graphics.renderer = Renderer::Classic;
    return renderer;
}

void drawGame(Graphics& graphics, const FrameInput& input)
{
    describeFrame(graphics.frame, input, graphics.meshes, textureIdsOf(graphics.textures));
    if (!graphics.frame.fast) {
        drawSpan(graphics, {});
        return;
    }
    const int width = graphics.frame.width, height = graphics.frame.height;
    const int smallWidth = fastSceneSize(width), smallHeight = fastSceneSize(height);
    GLint target = 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &target);
    const bool made = fitSmallTarget(graphics.small, smallWidth, smallHeight);
    glBindFramebuffer(GL_FRAMEBUFFER, GLuint(target));
    if (!made) {
        drawSpan(graphics, {});
        return;
    }
    // The scene smaller, scaled up smoothly into the window; then the text
    // and a menu over it at the window's own resolution, so they stay sharp.
    const size_t scene = sceneDrawCount(graphics.frame);
    glBindFramebuffer(GL_FRAMEBUFFER, graphics.small.framebuffer);
    glViewport(0, 0, smallWidth, smallHeight);
    drawSpan(graphics, {0, scene, true});
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, GLuint(target));
    glViewport(0, 0, width, height);
    glBlitFramebuffer(0, 0, smallWidth, smallHeight, 0, 0, width, height, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, GLuint(target));
    if (scene < graphics.frame.draws.size()) drawSpan(graphics, {scene, SIZE_MAX, false});
}
