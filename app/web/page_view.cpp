#include "app/web/page_view.h"

#include <GLES2/gl2.h>

#include "render/graphics.h"

std::string openPageView(PageView& view, const Course& course)
{
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.majorVersion = 1;
    attributes.minorVersion = 0;
    attributes.alpha = false;
    attributes.depth = true;
    attributes.stencil = true;  // the ball's shadow marks its receiver there
    attributes.antialias = false;
    // The first frame stays on the canvas under the start sign, and a test
    // can read the picture back.
    attributes.preserveDrawingBuffer = true;
    view.context = emscripten_webgl_create_context(view.canvas, &attributes);
    if (view.context <= 0) return "this browser cannot draw the game: it has no WebGL";
    emscripten_webgl_make_context_current(view.context);
    view.textures = loadTextures();
    view.meshes = buildMeshSet(course);
    const std::string error = initShaderRenderer(view.shaders, view.meshes, view.textures.white);
    if (!error.empty()) return "the game cannot be drawn here: " + error;
    return "";
}

void changePageCourse(PageView& view, const Course& course)
{
    view.meshes = buildMeshSet(course);
    replaceShaderMeshes(view.shaders, view.meshes);
}

void resizePageView(PageView& view, int width, int height, int pixelWidth, int pixelHeight)
{
    if (width <= 0 || height <= 0 || pixelWidth <= 0 || pixelHeight <= 0) return;
    view.width = width;
    view.height = height;
    view.pixelWidth = pixelWidth;
    view.pixelHeight = pixelHeight;
    emscripten_set_canvas_element_size(view.canvas, pixelWidth, pixelHeight);
}

void drawPageFrame(PageView& view, const FrameInput& input)
{
    const int width = view.pixelWidth, height = view.pixelHeight;
    describeFrame(view.frame, input, view.meshes, textureIdsOf(view.textures));
    const int smallWidth = fastSceneSize(width), smallHeight = fastSceneSize(height);
    if (!view.frame.fast || !fitSceneTexture(view.scene, smallWidth, smallHeight)) {
        glViewport(0, 0, width, height);
        drawFrameWithShaders(view.shaders, view.frame);
        return;
    }
    const size_t scene = sceneDrawCount(view.frame);
    glBindFramebuffer(GL_FRAMEBUFFER, view.scene.framebuffer);
    glViewport(0, 0, smallWidth, smallHeight);
    drawFrameWithShaders(view.shaders, view.frame, {0, scene, true});
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, width, height);
    drawSceneTexture(view.scene);
    if (scene < view.frame.draws.size()) drawFrameWithShaders(view.shaders, view.frame, {scene, SIZE_MAX, false});
}
