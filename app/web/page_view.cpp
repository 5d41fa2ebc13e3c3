#include "app/web/page_view.h"

#include <GLES2/gl2.h>

bool openPageView(PageView& view)
{
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.majorVersion = 1;
    attributes.minorVersion = 0;
    attributes.alpha = false;
    attributes.antialias = false;
    // The first frame stays on the canvas under the start sign, and a test
    // can read the picture back.
    attributes.preserveDrawingBuffer = true;
    view.context = emscripten_webgl_create_context(view.canvas, &attributes);
    if (view.context <= 0) return false;
    emscripten_webgl_make_context_current(view.context);
    return true;
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

void drawPageFrame(PageView& view, const Play&, const std::string&)
{
    glViewport(0, 0, view.pixelWidth, view.pixelHeight);
    glClearColor(0.45f, 0.62f, 0.85f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}
