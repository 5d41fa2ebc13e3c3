// The ghost in the real game: --ghost's ball drawn over the scene by either
// renderer, "g" taking it away and bringing it back.

#include <X11/keysym.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/e2e/e2e_checks.h"
#include "tests/e2e/harness.h"

using namespace e2e;

namespace {

const std::string route = SKYCOURSE_ROUTE;

// The player's folders of a run of its own: no best run, no keys.conf.
struct PlayerFolders {
    std::filesystem::path path;
    PlayerFolders()
    {
        char name[] = "/tmp/skycourse-e2e-ghost-XXXXXX";
        path = mkdtemp(name);
    }
    ~PlayerFolders() { std::filesystem::remove_all(path); }
    std::vector<std::pair<std::string, std::string>> env() const
    {
        return {{"XDG_DATA_HOME", (path / "data").string()}, {"XDG_CONFIG_HOME", (path / "config").string()}};
    }
};

Image grabWindow(Display* display)
{
    // Without a window manager the window sits at the screen's corner.
    return grabScreen(display, 0, 0, 640, 512);
}

TEST(Ghost, ItsBallIsDrawnOverTheSceneByEitherRendererAndGHidesIt)
{
    for (const char* renderer : {"classic", "shaders"}) {
        SCOPED_TRACE(renderer);
        START_XVFB(server, x, 1024, 768);
        const PlayerFolders folders;
        // A watched ball that never moves: 80 ticks on the pad.
        struct {
            std::string path = (std::filesystem::temp_directory_path() / "skycourse-e2e-still.replay").string();
        } standStill;
        std::ofstream(standStill.path) << "tick 80\n";
        GameRun game = startGame(gameDir, server.display, folders.env(),
                                 {"--window", "640x512", "--renderer", renderer, "--ghost", route, "--watch",
                                  standStill.path});
        const Image root = grabScreen(x.display, 0, 0, 640, 512);
        ASSERT_TRUE(waitUntil([&] { return framesDrawn(x.display, root, 640, 512); }, 30)) << describe(server, game);
        // The route rolls off the pad at once; the watched ball stays on it,
        // and when its script is over everything stands still.
        sleepSeconds(2.5);
        const Image shown = grabWindow(x.display);
        tapKey(x.display, XK_g);
        sleepSeconds(0.5);
        const Image hidden = grabWindow(x.display);
        tapKey(x.display, XK_g);
        sleepSeconds(0.5);
        const Image again = grabWindow(x.display);

        // Nothing else moves: the ghost is all that differs.
        const double ghost = differingShare(shown, hidden);
        if (ghost < 0.0005 || ghost > 0.1) {
            writePpm(shown, "/tmp/skycourse-e2e-ghost-shown.ppm");
            writePpm(hidden, "/tmp/skycourse-e2e-ghost-hidden.ppm");
        }
        EXPECT_GT(ghost, 0.0005) << "no ghost drawn" << describe(server, game);
        EXPECT_LT(ghost, 0.1) << "more than a ball's worth changed" << describe(server, game);
        EXPECT_LT(differingShare(shown, again), 0.0005) << "the ghost is back as it was";
        expectEscEndsTheGame(x.display, game, server);
        EXPECT_EQ(gameOutput(game).find("ghost"), std::string::npos) << gameOutput(game);
    }
}

}  // namespace
