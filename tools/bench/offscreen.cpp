#include "tools/bench/offscreen.h"

#include <GL/gl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "app/window.h"
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

Graphics loadGraphicsFromGameFolder()
{
    char* here = getcwd(nullptr, 0);
    if (here == nullptr || chdir(SKYCOURSE_GAME_DIR) != 0) {
        std::fprintf(stderr, "bench: cannot enter %s\n", SKYCOURSE_GAME_DIR);
        std::exit(2);
    }
    Graphics graphics = initGraphics(buildLevel());
    if (chdir(here) != 0) std::exit(2);
    std::free(here);
    return graphics;
}
