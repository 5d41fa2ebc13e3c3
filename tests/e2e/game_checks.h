#pragma once
// Checks shared by the end-to-end tests: a drawn frame, Esc ending the game,
// and what to print when either fails.

#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/harness.h"

namespace e2e {

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

inline void expectEscEndsTheGame(Display* display, GameRun& game, const XServer& server)
{
    tapKey(display, XK_Escape);
    ASSERT_TRUE(waitForExit(game, 20)) << "Esc did not end the game" << describe(server, game);
    EXPECT_EQ(game.exitCode, 0) << describe(server, game);
}

}  // namespace e2e
