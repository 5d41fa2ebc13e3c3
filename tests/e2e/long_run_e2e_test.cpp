// The real game over time and under a memory checker: random keys and mouse
// moves every 100 ms with its memory read as it goes, and a short run under
// valgrind's memcheck.
//
// The soak lasts SKYCOURSE_SOAK_SECONDS (20 unless set); it was run once
// for ten minutes, see the README.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "tests/e2e/e2e_checks.h"
#include "tests/e2e/harness.h"

// After gtest: Xlib's macros (None, Bool) clash with its names.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

using namespace e2e;

namespace {


long residentKb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
    }
    return 0;
}

double soakSeconds()
{
    const char* set = std::getenv("SKYCOURSE_SOAK_SECONDS");
    return set ? std::max(5.0, std::atof(set)) : 20.0;
}

TEST(GameSoak, RandomKeysAndMouseKeepMemoryFlatAndEscStillEndsIt)
{
    // The dummy X server in game mode as a player has it; Xvfb without root.
    XServer server = runningAsRoot() ? startXorg(xorgConfig) : startXvfb(1280, 1024);
    ASSERT_FALSE(server.display.empty()) << fileText(server.logFile);
    XClient x(server.display);
    const int width = DisplayWidth(x.display, DefaultScreen(x.display));
    const int height = DisplayHeight(x.display, DefaultScreen(x.display));
    Image root = grabScreen(x.display, 0, 0, 640, 480);
    Launch launch;
    launch.env = {{"SDL_AUDIODRIVER", "dummy"}};
    GameRun game = startGame(gameDir, server.display, launch);
    ASSERT_TRUE(waitUntil([&] { return framesDrawn(x.display, root, 640, 480); }, 90)) << describe(server, game);

    // Everything but Esc: arrows alone and with Shift, jump on both keys,
    // F1, the camera keys, mouse look on and off.
    const unsigned long keys[] = {XK_Up,  XK_Down, XK_Left, XK_Right, XK_Shift_L, XK_Return, XK_z,
                                  XK_F1,  XK_c,    XK_l,    XK_p,     XK_a,       XK_space};
    std::mt19937 random(1);
    std::vector<bool> held(std::size(keys), false);
    std::vector<long> memory;
    const double seconds = soakSeconds();
    const int steps = int(seconds * 10);
    int events = 0;
    for (int step = 0; step < steps; ++step) {
        if (random() % 3 == 0) {
            // Anywhere, including far outside the screen (the server clamps).
            XTestFakeMotionEvent(x.display, -1, int(random() % unsigned(3 * width)) - width,
                                 int(random() % unsigned(3 * height)) - height, CurrentTime);
            XFlush(x.display);
        } else {
            const size_t k = random() % std::size(keys);
            held[k] ? releaseKey(x.display, keys[k]) : pressKey(x.display, keys[k]);
            held[k] = !held[k];
        }
        ++events;
        sleepSeconds(0.1);
        if (step % 50 == 49) memory.push_back(residentKb(game.pid));
        ASSERT_FALSE(waitForExit(game, 0)) << "the game ended by itself" << describe(server, game);
    }
    for (size_t k = 0; k < std::size(keys); ++k)
        if (held[k]) releaseKey(x.display, keys[k]);

    std::string trace;
    for (long kb : memory) trace += std::to_string(kb) + " ";
    std::printf("%d events in %.0f s; RSS in kB every 5 s: %s\n", events, seconds, trace.c_str());
    ASSERT_GE(memory.size(), 2u);
    // The first reading is after start-up and the first few seconds of play;
    // a leak per frame or per event would grow well beyond this margin.
    // (Built with the sanitizers, the allocator holds freed blocks back and
    // the resident size swings by design; the plain build measures.)
    const long margin = 16 * 1024;
    for (long kb : memory) {
        if (!SKYCOURSE_SANITIZED) {
            EXPECT_LE(kb, memory.front() + margin) << "RSS in kB every 5 s: " << trace;
        }
    }
    expectEscEndsTheGame(x.display, game, server);
}

TEST(GameUnderValgrind, StartsDrawsAndQuitsWithoutMemoryErrors)
{
    if (SKYCOURSE_SANITIZED) GTEST_SKIP() << "valgrind cannot run a program built with the sanitizers";
    XServer server = startXvfb(320, 240);
    ASSERT_FALSE(server.display.empty());
    XClient x(server.display);
    Image root = grabScreen(x.display, 0, 0, 320, 240);
    char logName[] = "/tmp/skycourse-e2e-valgrind-XXXXXX";
    close(mkstemp(logName));
    Launch launch;
    launch.env = {{"SDL_AUDIODRIVER", "dummy"}};
    // Errors, and blocks lost for good, fail the run (exit 99); what the
    // libraries lose themselves is suppressed by name. Mesa unloads its
    // driver at exit: its frames are only named with the debug info kept.
    launch.wrapper = {"valgrind", "--error-exitcode=99", "--leak-check=full",
                      "--show-leak-kinds=definite", "--errors-for-leak-kinds=definite",
                      "--child-silent-after-fork=yes", "--num-callers=30", "--keep-debuginfo=yes",
                      "--suppressions=" + std::string(SKYCOURSE_SOURCE_DIR) + "/tests/sanitizers/valgrind.supp",
                      std::string("--log-file=") + logName};
    GameRun game = startGame(gameDir, server.display, launch);
    const bool drawn = waitUntil([&] { return framesDrawn(x.display, root, 320, 240); }, 400);
    EXPECT_TRUE(drawn) << describe(server, game);
    // A few frames of play under the checker: roll and jump.
    pressKey(x.display, XK_Up);
    sleepSeconds(2);
    tapKey(x.display, XK_Return);
    releaseKey(x.display, XK_Up);
    tapKey(x.display, XK_Escape);
    ASSERT_TRUE(waitForExit(game, 300)) << describe(server, game);
    // Debian's valgrind runs the checker as a child of its own, which may
    // still be finishing the log.
    std::string log;
    waitUntil([&] { return (log = fileText(logName)).find("ERROR SUMMARY") != std::string::npos; }, 30);
    std::remove(logName);
    EXPECT_EQ(game.exitCode, 0) << log;
    EXPECT_NE(log.find("ERROR SUMMARY: 0 errors"), std::string::npos) << log;
}

}  // namespace
