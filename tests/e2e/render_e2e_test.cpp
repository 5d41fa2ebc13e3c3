#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "tests/e2e/harness.h"

using namespace e2e;

namespace {

struct Colour {
    int r, g, b;
};

Colour at(const Image& image, int x, int y)
{
    const uint32_t p = image.pixels[static_cast<size_t>(y) * image.width + x];
    return {int(p >> 16 & 0xff), int(p >> 8 & 0xff), int(p & 0xff)};
}

int distance(Colour a, Colour b)
{
    return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
}

TEST(RenderE2e, FirstFramesShowTheSkyThePadAndTheBall)
{
    if (!runningAsRoot()) GTEST_SKIP() << "Xorg with the dummy video driver needs root";
    XServer server = startXorg(std::string(SKYCOURSE_E2E_DIR) + "/xorg-dummy.conf");
    ASSERT_FALSE(server.display.empty()) << "Xorg did not start; log: " << server.logFile;
    XClient x(server.display);
    ASSERT_NE(x.display, nullptr);

    GameRun game = startGame(SKYCOURSE_GAME_DIR, server.display);
    ASSERT_GT(game.pid, 0);
    const ScreenSize gameMode{1280, 1024};
    ASSERT_TRUE(waitUntil([&] { return currentVideoMode(x.display) == gameMode; }, 30))
        << gameOutput(game);
    Image shot;
    // The chase camera looks at the ball in the middle of the screen, on
    // the start pad, with sky above.
    const bool drawn = waitUntil(
        [&] {
            shot = grabScreen(x.display, 0, 0, 1280, 1024);
            return distinctColours(shot, 200) >= 100;
        },
        60);
    ASSERT_TRUE(drawn) << "no scene reached the screen\n" << gameOutput(game);

    const Colour sky = at(shot, 640, 60);
    const Colour pad = at(shot, 640, 580);
    const Colour ball = at(shot, 640, 500);
    EXPECT_GT(sky.b, 150) << "sky " << sky.r << "," << sky.g << "," << sky.b;
    EXPECT_GT(sky.b - sky.r, 30) << "sky " << sky.r << "," << sky.g << "," << sky.b;
    EXPECT_LT(std::abs(pad.r - pad.b), 20) << "the metal pad is grey: " << pad.r << ","
                                           << pad.g << "," << pad.b;
    EXPECT_GT(distance(ball, pad), 60) << "ball " << ball.r << "," << ball.g << "," << ball.b;

    tapKey(x.display, XK_Escape);
    EXPECT_TRUE(waitForExit(game, 20));
}

}  // namespace
