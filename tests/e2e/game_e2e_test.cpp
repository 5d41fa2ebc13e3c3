#include <X11/keysym.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/audio_level.h"
#include "tests/e2e/e2e_checks.h"
#include "tests/e2e/harness.h"

using namespace e2e;

namespace {

// Keeps the pictures of a failed check for a look; returns where they went.
std::string savePictures(const std::string& stem, const std::vector<Image>& images)
{
    std::string where = "/tmp/skycourse-e2e-" + stem + "-*.ppm";
    for (size_t i = 0; i < images.size(); ++i) {
        writePpm(images[i], "/tmp/skycourse-e2e-" + stem + "-" + std::to_string(i) + ".ppm");
    }
    return where;
}

struct Colour {
    int r, g, b;
};

Colour colourAt(const Image& image, int x, int y)
{
    const uint32_t p = image.pixels[static_cast<size_t>(y) * image.width + x];
    return {int(p >> 16 & 0xff), int(p >> 8 & 0xff), int(p & 0xff)};
}

std::ostream& operator<<(std::ostream& out, Colour c)
{
    return out << c.r << "," << c.g << "," << c.b;
}

TEST(GameE2e, EntersGameModeShowsTheStartAndEscRestoresTheDesktop)
{
    START_XORG(server);
    XClient x(server.display);
    ASSERT_NE(x.display, nullptr);
    ASSERT_EQ(currentVideoMode(x.display), desktopMode);
    Image root = grabGameScreen(x.display);

    GameRun game = startGame(gameDir, server.display);
    ASSERT_GT(game.pid, 0);
    ASSERT_TRUE(waitUntil([&] { return currentVideoMode(x.display) == gameMode; }, 30))
        << "the screen never switched to 1280x1024" << describe(server, game);
    ASSERT_TRUE(waitUntil(
        [&] { return framesDrawn(x.display, root, gameMode.width, gameMode.height); }, 60))
        << "no game frame reached the screen" << describe(server, game);

    // The game's window is the mode's size, not the larger virtual desktop
    // behind it, or the monitor would show only its top-left part. The
    // chase camera looks at the ball in the middle of it, on the start pad,
    // with sky above (offsets below are for a 1024-row picture).
    WindowBox window;
    ASSERT_TRUE(waitUntil(
        [&] {
            for (const WindowBox& w : viewableTopWindows(x.display)) {
                if (w.x == 0 && w.y == 0) window = w;
            }
            return window.width == gameMode.width && window.height == gameMode.height;
        },
        10))
        << "the game's window is " << window.width << "x" << window.height
        << " at the corner, not the mode's 1280x1024" << describe(server, game);
    sleepSeconds(0.5);
    const Image shot = grabScreen(x.display, 0, 0, window.width, window.height);
    ASSERT_GE(distinctColours(shot, 200), 100) << "no textured scene" << describe(server, game);
    auto sample = [&](int right, int down) {
        return colourAt(shot, window.width / 2 + right * window.height / 1024,
                        window.height / 2 + down * window.height / 1024);
    };
    // Sky up and to the left, where no swaying disc ever passes.
    const Colour sky = sample(-240, -420);
    const Colour pad = sample(0, 68);
    const Colour ball = sample(0, -12);
    EXPECT_GT(sky.b, 150) << "sky " << sky;
    EXPECT_GT(sky.b - sky.r, 30) << "sky " << sky;
    EXPECT_LT(std::abs(pad.r - pad.b), 20) << "the metal pad is grey: " << pad;
    EXPECT_GT(std::abs(ball.r - pad.r) + std::abs(ball.g - pad.g) + std::abs(ball.b - pad.b), 60)
        << "ball " << ball << ", pad " << pad;

    expectEscEndsTheGame(x.display, game, server);
    EXPECT_TRUE(waitUntil([&] { return currentVideoMode(x.display) == desktopMode; }, 10))
        << "the desktop's mode was not restored";
}

TEST(GameE2e, FillsTheScreenWithAWindowWhereGameModeFails)
{
    // Xvfb cannot switch modes; a size unlike the game mode shows which
    // size the window took.
    const int width = 1024;
    const int height = 768;
    START_XVFB(server, x, width, height);
    Image root = grabScreen(x.display, 0, 0, width, height);

    GameRun game = startGame(gameDir, server.display);
    bool windowUp = waitUntil(
        [&] {
            for (const WindowBox& w : viewableTopWindows(x.display)) {
                if (w.x == 0 && w.y == 0 && w.width == width && w.height == height) return true;
            }
            return false;
        },
        30);
    ASSERT_TRUE(windowUp) << "no full-screen window" << describe(server, game);
    ASSERT_TRUE(waitUntil([&] { return framesDrawn(x.display, root, width, height); }, 60))
        << "no game frame reached the screen" << describe(server, game);

    expectEscEndsTheGame(x.display, game, server);
}

TEST(GameE2e, MusicPlaysAtItsLevelAndAnArrowKeyMovesThePicture)
{
    START_XORG(server);
    XClient x(server.display);
    ASSERT_NE(x.display, nullptr);
    Image root = grabGameScreen(x.display);

    char capturePath[] = "/tmp/skycourse-e2e-audio-XXXXXX";
    int fd = mkstemp(capturePath);
    ASSERT_GE(fd, 0);
    close(fd);
    struct RemoveFile {
        const char* path;
        ~RemoveFile() { std::remove(path); }
    } removeCapture{capturePath};

    auto started = std::chrono::steady_clock::now();
    Launch capture;
    capture.env = {{"SDL_AUDIODRIVER", "disk"}, {"SDL_DISKAUDIOFILE", capturePath}};
    GameRun game = startGame(gameDir, server.display, capture);
    ASSERT_TRUE(waitUntil(
        [&] { return framesDrawn(x.display, root, gameMode.width, gameMode.height); }, 60))
        << "no game frame reached the screen" << describe(server, game);
    // Let several seconds of music reach the capture before any key.
    sleepSeconds(std::max(0.0, 6.0 - std::chrono::duration<double>(
                                          std::chrono::steady_clock::now() - started)
                                          .count()));

    // The course moves by itself (lifts, pulsing orbs, the ring): measure
    // that first. Game time runs at five steps per drawn tick, so on a slow
    // software renderer the ball needs a while: hold Up until the picture
    // has changed well beyond the idle change, or give up.
    Image still = grabGameScreen(x.display);
    sleepSeconds(1.5);
    Image stillLater = grabGameScreen(x.display);
    double idleChange = differingShare(still, stillLater);
    const double wanted = std::max(0.05, 3.0 * idleChange);
    Image moved;
    double keyChange = 0.0;
    pressKey(x.display, XK_Up);
    waitUntil(
        [&] {
            moved = grabGameScreen(x.display);
            keyChange = differingShare(stillLater, moved);
            return keyChange > wanted;
        },
        10);
    releaseKey(x.display, XK_Up);
    EXPECT_GT(keyChange, wanted) << "idle change " << idleChange << ", with the Up arrow "
                                 << keyChange << "; pictures in "
                                 << savePictures("arrow", {still, stillLater, moved});

    expectEscEndsTheGame(x.display, game, server);

    std::vector<float> music = decodeWav(gameDir + "/sounds/MI2.wav");
    ASSERT_FALSE(music.empty()) << "sounds/MI2.wav cannot be read";
    std::vector<float> captured = readCapture(capturePath);
    size_t onset = firstSoundFrame(captured, 1e-3f);
    captured.erase(captured.begin(),
                   captured.begin() + long(std::min(captured.size(), onset * captureChannels)));
    const double from = 0.5;
    const double to = 4.0;
    ASSERT_GE(double(captured.size()) / captureChannels / captureRate, to)
        << "less than " << to << " s of sound was captured";
    ASSERT_GT(rmsBetween(music, from, to), 0.01) << "MI2.wav itself is silent";
    EXPECT_GT(rmsBetween(captured, from, to), 0.003) << "the music is not audible";
    // The music channel plays at 0.35 of full volume (the mixer's 45/128).
    double level = medianLevelRatio(captured, music, from, to, 0.5);
    EXPECT_NEAR(level, 0.35, 0.05) << "music level relative to MI2.wav";
    std::printf("music level %.4f of MI2.wav\n", level);
}

// The tick counts the game's test hook printed at each key press, in order.
// The ticks the game has written to its row trace so far.
long long rowsWritten(const std::string& path)
{
    std::ifstream rows(path);
    long long lines = 0;
    for (std::string line; std::getline(rows, line);) ++lines;
    return lines > 0 ? lines - 1 : 0;  // less the header
}

TEST(GameE2e, GameTimeKeepsToTheWallClockWhenFramesAreSlow)
{
    // Every frame shown takes 30 ms longer than drawing it does, more than
    // a whole tick; a small screen keeps the drawing itself short.
    const int width = 320;
    const int height = 256;
    START_XVFB(server, x, width, height);
    Image root = grabScreen(x.display, 0, 0, width, height);
    char name[] = "/tmp/skycourse-slow-rows-XXXXXX";
    close(mkstemp(name));
    const std::string rows = name;
    Launch slow;
    slow.env = {{"LD_PRELOAD", SLOW_SWAP_LIBRARY}, {"SKYCOURSE_SLOW_SWAP_MS", "30"},
                {"ASAN_OPTIONS", "verify_asan_link_order=0:detect_leaks=0"}, {"SDL_AUDIODRIVER", "dummy"},
                {"SKYCOURSE_ROWS", rows}};
    GameRun game = startGame(gameDir, server.display, slow);
    ASSERT_TRUE(waitUntil([&] { return framesDrawn(x.display, root, width, height); }, 60))
        << "no game frame reached the screen" << describe(server, game);

    const auto first = std::chrono::steady_clock::now();
    const long long before = rowsWritten(rows);
    sleepSeconds(4.0);
    const auto second = std::chrono::steady_clock::now();
    const long long after = rowsWritten(rows);
    expectEscEndsTheGame(x.display, game, server);
    unlink(name);

    const double seconds = std::chrono::duration<double>(second - first).count();
    const double wallTicks = seconds * 40.0;
    const long long ticks = after - before;
    std::printf("%lld ticks in %.3f s of wall time (%.1f due), every frame slowed by 30 ms\n",
                ticks, seconds, wallTicks);
    // A frame longer than a tick used to cost the game its time: one tick
    // per frame and timer, under half of these. A stall of the shared machine
    // longer than the catching up covers may still drop a few.
    EXPECT_GE(double(ticks), 0.8 * wallTicks);
    EXPECT_LE(double(ticks), wallTicks + 8.0);
}

TEST(GameE2e, WithoutADisplayItSaysSoInOneLineAndFails)
{
    for (const std::string display : {"", ":4093"}) {
        struct stat unused;
        if (!display.empty() && stat("/tmp/.X11-unix/X4093", &unused) == 0) continue;
        GameRun game = startGame(gameDir, display);
        ASSERT_TRUE(waitForExit(game, 20));
        EXPECT_NE(game.exitCode, 0);
        std::string output = gameOutput(game);
        EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1) << output;
        EXPECT_NE(output.find("display"), std::string::npos) << output;
    }
}

}  // namespace
