#pragma once
// What the end-to-end tests check the same way: the game's folder and the
// servers' modes, frames reaching the screen, Esc ending the game, and the
// game's output and the server's log when a check fails.

#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/harness.h"

namespace e2e {

inline const std::string gameDir = SKYCOURSE_GAME_DIR;
inline const std::string xorgConfig = std::string(SKYCOURSE_E2E_DIR) + "/xorg-dummy.conf";
inline const ScreenSize desktopMode{1600, 1200};
inline const ScreenSize gameMode{1280, 1024};

// Frames are drawn once the game's screen area shares almost nothing with
// the stippled root the server started with, and is not one flat colour.
// Frames are drawn once the game's screen area shares almost nothing with
// the stippled root the server started with, and is not one flat colour.
// (A sky of black and magenta checkers, drawn for missing pictures, shares
// the stipple's black: ask less of it.)
inline bool framesDrawn(Display* display, const Image& root, int width, int height,
                        double changedShare = 0.8)
{
    Image now = grabScreen(display, 0, 0, width, height);
    return differingShare(root, now) > changedShare && distinctColours(now, 64) >= 16;
}

inline std::string describe(const XServer& server, const GameRun& game)
{
    std::string log = fileText(server.logFile);
    if (log.size() > 3000) log = "..." + log.substr(log.size() - 3000);
    return "\ngame output:\n" + gameOutput(game) + "\nserver log (end):\n" + log;
}

// Starts Xorg with the dummy driver; skips when that needs rights we lack.
#define START_XORG(server)                                                             \
    if (!runningAsRoot()) GTEST_SKIP() << "Xorg with the dummy video driver needs root"; \
    XServer server = startXorg(xorgConfig);                                            \
    ASSERT_FALSE(server.display.empty()) << "Xorg did not start:\n" << fileText(server.logFile)

// Starts Xvfb with a screen of this size and connects to it as `client`.
#define START_XVFB(server, client, width, height)                                        \
    XServer server = startXvfb(width, height);                                           \
    ASSERT_FALSE(server.display.empty()) << "Xvfb did not start:\n" << fileText(server.logFile); \
    XClient client(server.display);                                                      \
    ASSERT_NE(client.display, nullptr)

inline Image grabGameScreen(Display* display)
{
    return grabScreen(display, 0, 0, gameMode.width, gameMode.height);
}

inline void expectEscEndsTheGame(Display* display, GameRun& game, const XServer& server)
{
    tapKey(display, XK_Escape);
    ASSERT_TRUE(waitForExit(game, 20)) << "Esc did not end the game" << describe(server, game);
    EXPECT_EQ(game.exitCode, 0) << describe(server, game);
}

}  // namespace e2e
