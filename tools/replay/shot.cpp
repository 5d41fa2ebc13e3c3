#define GL_GLEXT_PROTOTYPES
#include "tools/replay/shot.h"

#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>
#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <vector>

#include "assets/texture_names.h"
#include "assets/textures.h"
#include "render/end_screen.h"
#include "render/png_file.h"
#include "render/scene.h"
#include "sim/game_state.h"
#include "world/world.h"

namespace {

constexpr int shotWidth = 1280;
constexpr int shotHeight = 1024;

bool ready = false;
GLuint framebuffer = 0;

// GLUT ends the process when it cannot open the display, so ask X first.
// libX11 is loaded only for this question.
bool displayReachable()
{
    const char* name = std::getenv("DISPLAY");
    if (name == nullptr || *name == '\0') return false;
    void* x11 = dlopen("libX11.so.6", RTLD_LAZY | RTLD_LOCAL);
    if (x11 == nullptr) return false;
    using Open = void* (*)(const char*);
    using Close = int (*)(void*);
    auto open = reinterpret_cast<Open>(dlsym(x11, "XOpenDisplay"));
    auto close = reinterpret_cast<Close>(dlsym(x11, "XCloseDisplay"));
    bool reachable = false;
    if (open != nullptr && close != nullptr) {
        if (void* display = open(name)) {
            reachable = true;
            close(display);
        }
    }
    dlclose(x11);
    return reachable;
}

std::vector<unsigned int> pictureNames()
{
    std::vector<unsigned int> names = {ballTexture, metalTexture, glassTexture, endTexture};
    names.insert(names.end(), woodTextures.begin(), woodTextures.end());
    names.insert(names.end(), std::begin(skyTextures), std::end(skyTextures));
    return names;
}

// The pictures are loaded from the folder the tool lives in, beside images/.
void loadPictures()
{
    const std::filesystem::path before = std::filesystem::current_path();
    std::error_code error;
    const std::filesystem::path tool = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) std::filesystem::current_path(tool.parent_path(), error);
    // Loading appends the real wood grains; the stand-ins must not stay in
    // front of them, or the stand-in numbers would map onto themselves.
    woodTextures.clear();
    initGraphics();
    std::filesystem::current_path(before, error);
}

// A thread may hold only one current context across EGL and GLX, so the
// headless one the replay runs on is let go before GLUT makes its own.
void releaseHeadlessContext()
{
    using GetDisplay = void* (*)();
    using MakeCurrent = unsigned int (*)(void*, void*, void*, void*);
    auto getDisplay = reinterpret_cast<GetDisplay>(dlsym(RTLD_DEFAULT, "eglGetCurrentDisplay"));
    auto makeCurrent = reinterpret_cast<MakeCurrent>(dlsym(RTLD_DEFAULT, "eglMakeCurrent"));
    if (getDisplay == nullptr || makeCurrent == nullptr) return;
    if (void* display = getDisplay()) makeCurrent(display, nullptr, nullptr, nullptr);
}

bool prepare()
{
    if (!displayReachable()) {
        std::fprintf(stderr, "shot: no X display (DISPLAY is unset or unreachable)\n");
        return false;
    }
    int argc = 1;
    char name[] = "skycourse-replay";
    char* argv[] = {name, nullptr};
    releaseHeadlessContext();
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH | GLUT_STENCIL);
    glutInitWindowSize(64, 64);
    glutCreateWindow("skycourse-replay");
    glutHideWindow();

    // The level was stamped with stand-in picture numbers; once the real
    // textures exist, every block gets the real one in its place.
    const std::vector<unsigned int> standIns = pictureNames();
    loadPictures();
    const std::vector<unsigned int> real = pictureNames();
    std::map<unsigned int, unsigned int> realOf;
    for (size_t i = 0; i < standIns.size() && i < real.size(); ++i) realOf[standIns[i]] = real[i];
    for (Block* block : blocks) {
        const auto found = realOf.find(block->texture);
        if (found != realOf.end()) block->texture = found->second;
    }

    GLuint colour = 0;
    GLuint depthStencil = 0;
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glGenRenderbuffers(1, &colour);
    glBindRenderbuffer(GL_RENDERBUFFER, colour);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, shotWidth, shotHeight);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
    glGenRenderbuffers(1, &depthStencil);
    glBindRenderbuffer(GL_RENDERBUFFER, depthStencil);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, shotWidth, shotHeight);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                              depthStencil);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        std::fprintf(stderr, "shot: no offscreen framebuffer of %dx%d\n", shotWidth, shotHeight);
        return false;
    }
    return true;
}

}  // namespace

bool takeShot(const char* path)
{
    static bool failed = false;
    if (failed) {
        std::fprintf(stderr, "shot: drawing is not available\n");
        return false;
    }
    if (!ready) {
        ready = prepare();
        failed = !ready;
        if (failed) return false;
    }
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    // As the reshape callback sets it up for the game-mode screen.
    glViewport(0, 0, shotWidth, shotHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, static_cast<double>(shotWidth) / shotHeight, 1.0, 200.0);
    if (gameState == EndScreen) {
        drawEndScreen();
    } else {
        drawScene();
    }
    glFinish();
    std::vector<unsigned char> pixels(static_cast<size_t>(shotWidth) * shotHeight * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, shotWidth, shotHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    // Opaque, whatever alpha the blended draws left behind.
    for (size_t i = 3; i < pixels.size(); i += 4) pixels[i] = 255;
    return writePng(path, pixels, shotWidth, shotHeight);
}
