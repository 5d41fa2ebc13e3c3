// While nothing on screen changes (the pause with its menu, a page of the
// menu, the end picture) the game shows no new frames: each would cost a
// whole frame's drawing for the same picture. Frames are counted by a
// preloaded library around glutSwapBuffers.
#include <X11/keysym.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "tests/e2e/e2e_checks.h"
#include "tests/e2e/harness.h"

using namespace e2e;

namespace {

constexpr int width = 320;
constexpr int height = 256;

// A temporary file's name, the file itself removed with the record.
struct TempName {
    std::string path;
    explicit TempName(const char* stem)
    {
        std::string pattern = std::string("/tmp/") + stem + "-XXXXXX";
        close(mkstemp(pattern.data()));
        path = pattern;
    }
    ~TempName() { unlink(path.c_str()); }
};

// The frames shown so far; -1 before the first.
long framesShown(const std::string& countFile)
{
    std::ifstream in(countFile);
    long count = -1;
    in >> count;
    return in ? count : -1;
}

// The frames shown over `seconds`, after a moment for the last change to
// be drawn.
long framesOver(const std::string& countFile, double seconds)
{
    sleepSeconds(0.5);
    const long before = framesShown(countFile);
    sleepSeconds(seconds);
    return framesShown(countFile) - before;
}

long linesIn(const std::string& path)
{
    std::ifstream in(path);
    long lines = 0;
    for (std::string line; std::getline(in, line);) ++lines;
    return lines;
}

Launch counted(const std::string& countFile)
{
    Launch launch;
    launch.env = {{"LD_PRELOAD", COUNT_SWAPS_LIBRARY}, {"SKYCOURSE_SWAP_COUNT", countFile},
                  {"ASAN_OPTIONS", "verify_asan_link_order=0:detect_leaks=0"}, {"SDL_AUDIODRIVER", "dummy"}};
    return launch;
}

TEST(IdleFramesE2e, ThePauseAndItsMenuDrawNothingNew)
{
    START_XVFB(server, x, width, height);
    const Image root = grabScreen(x.display, 0, 0, width, height);
    TempName count("skycourse-swaps");
    GameRun game = startGame(gameDir, server.display, counted(count.path));
    ASSERT_TRUE(waitUntil([&] { return framesDrawn(x.display, root, width, height); }, 60))
        << "no game frame reached the screen" << describe(server, game);
    // Playing, a frame follows every tick: the count is the game's own.
    EXPECT_GE(framesOver(count.path, 1.0), 10) << "frames are not being counted" << describe(server, game);

    tapKey(x.display, XK_space);
    EXPECT_EQ(framesOver(count.path, 2.0), 0) << "frames drawn while paused" << describe(server, game);
    // Down to the settings and into them: a page of the menu, drawn once.
    // The taps spaced out: back to back, GLUT takes them for a key's
    // auto-repeat and drops them.
    for (const unsigned long key : {XK_Down, XK_Down, XK_Down, XK_Down, XK_Return}) {
        tapKey(x.display, key);
        sleepSeconds(0.2);
    }
    EXPECT_EQ(framesOver(count.path, 2.0), 0) << "frames drawn in the settings" << describe(server, game);
    // A row moved is drawn at once.
    const long before = framesShown(count.path);
    tapKey(x.display, XK_Down);
    EXPECT_TRUE(waitUntil([&] { return framesShown(count.path) > before; }, 2)) << "the menu did not answer";
    expectEscEndsTheGame(x.display, game, server);
}

TEST(IdleFramesE2e, TheEndPictureIsDrawnOnce)
{
    START_XVFB(server, x, width, height);
    TempName count("skycourse-swaps");
    TempName rows("skycourse-rows");
    Launch launch = counted(count.path);
    launch.env.push_back({"SKYCOURSE_ROWS", rows.path});
    launch.arguments = {"--watch", SKYCOURSE_ROUTE, "--speed", "20"};
    GameRun game = startGame(gameDir, server.display, launch);
    // The route reaches the ring; its rows then stop (for two seconds: the
    // shared machine may hold the game up for a moment).
    long rowsBefore = -1;
    int stillFor = 0;
    ASSERT_TRUE(waitUntil(
        [&] {
            const long now = linesIn(rows.path);
            stillFor = now > 1000 && now == rowsBefore ? stillFor + 1 : 0;
            rowsBefore = now;
            sleepSeconds(0.5);
            return stillFor >= 4;
        },
        120))
        << "the route did not end" << describe(server, game);
    EXPECT_EQ(framesOver(count.path, 2.0), 0) << "frames drawn at the end picture" << describe(server, game);
    expectEscEndsTheGame(x.display, game, server);
}

}  // namespace
