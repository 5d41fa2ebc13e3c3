#include "tools/bench/offscreen.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "app/desktop/window.h"
#include "world/level.h"
#include "tools/headless/egl_context.h"
#include "tools/headless/framebuffer.h"

bool openOffscreenFrame()
{
    if (!makeHeadlessContext()) return false;
    if (makeOffscreenFramebuffer(frameWidth, frameHeight) == 0) {
        std::fprintf(stderr, "bench: no offscreen framebuffer of %dx%d\n", frameWidth, frameHeight);
        return false;
    }
    WindowSize window;
    reshapeWindow(window, frameWidth, frameHeight);
    return true;
}

bool enterGameFolder()
{
    std::error_code error;
    std::filesystem::current_path(SKYCOURSE_GAME_DIR, error);
    if (error) std::fprintf(stderr, "bench: cannot enter %s: %s\n", SKYCOURSE_GAME_DIR, error.message().c_str());
    return !error;
}

Graphics loadGraphicsFromGameFolder(Renderer renderer)
{
    Graphics graphics = initGraphics(buildLevel(), renderer);
    if (graphics.renderer != renderer) {
        std::fprintf(stderr, "bench: the %s renderer cannot start\n", renderer == Renderer::Shaders ? "shader" : "classic");
        std::exit(2);
    }
    return graphics;
}
