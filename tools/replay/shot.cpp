#define GL_GLEXT_PROTOTYPES
#include "tools/replay/shot.h"

#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/files/media_folder.h"
#include "app/desktop/window.h"
#include "render/graphics.h"
#include "tools/headless/framebuffer.h"
#include "tools/replay/png_file.h"

struct Shots {
    bool tried = false;
    bool ready = false;
    unsigned int framebuffer = 0;
    Renderer renderer = Renderer::Classic;
    bool fast = false;
    Graphics graphics;
};

namespace {

constexpr int shotWidth = 1280;
constexpr int shotHeight = 1024;

// The pictures and shaders are loaded where the game finds them from the
// tool's folder: beside it in a build, under share/ when installed.
Graphics loadGraphics(const Course& course, Renderer renderer)
{
    const std::filesystem::path before = std::filesystem::current_path();
    std::error_code error;
    const std::filesystem::path tool = runningExecutable();
    if (!tool.empty()) std::filesystem::current_path(mediaFolder(tool.parent_path(), tool), error);
    Graphics graphics = initGraphics(course, renderer);
    std::filesystem::current_path(before, error);
    return graphics;
}

std::string prepare(Shots& shots, const Course& course)
{
    int argc = 1;
    char name[] = "skycourse-replay";
    char* argv[] = {name, nullptr};
    if (!startGlut(argc, argv)) return "shot: no X display (DISPLAY is unset or unreachable)";
    glutInitWindowSize(64, 64);
    glutCreateWindow("skycourse-replay");
    glutHideWindow();
    shots.graphics = loadGraphics(course, shots.renderer);

    shots.framebuffer = makeOffscreenFramebuffer(shotWidth, shotHeight);
    if (shots.framebuffer == 0) {
        return "shot: no offscreen framebuffer of " + std::to_string(shotWidth) + "x" +
               std::to_string(shotHeight);
    }
    return "";
}

}  // namespace

std::string takeShot(std::shared_ptr<Shots>& made, const Game& game, const Ball* ghost, const char* path,
                     ShotLook look)
{
    if (!made) made = std::make_shared<Shots>();
    Shots& shots = *made;
    if (shots.tried && !shots.ready) return "shot: drawing is not available";
    if (!shots.tried) {
        shots.tried = true;
        shots.renderer = look.shaders ? Renderer::Shaders : Renderer::Classic;
        shots.fast = look.fast;
        const std::string problem = prepare(shots, *game.course);
        shots.ready = problem.empty();
        if (!shots.ready) return problem;
    }
    glBindFramebuffer(GL_FRAMEBUFFER, shots.framebuffer);
    // As the reshape callback sets it up for the game-mode screen.
    WindowSize window;
    reshapeWindow(window, shotWidth, shotHeight);
    FrameInput input;
    input.game = &game;
    input.width = shotWidth;
    input.height = shotHeight;
    input.ghost = ghost;
    input.fast = shots.fast;
    drawGame(shots.graphics, input);
    glFinish();
    std::vector<unsigned char> pixels(static_cast<size_t>(shotWidth) * shotHeight * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, shotWidth, shotHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    // Opaque, whatever alpha the blended draws left behind.
    for (size_t i = 3; i < pixels.size(); i += 4) pixels[i] = 255;
    return writePng(path, pixels, shotWidth, shotHeight);
}
