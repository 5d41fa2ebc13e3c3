// The command line as a player uses it: an ordinary window, signals and the
// close button giving the desktop back, a recorded run that replays to the
// run's own rows, and the recorded route watched to its end picture.

#include <X11/keysym.h>
#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/e2e/e2e_checks.h"
#include "tests/e2e/harness.h"

using namespace e2e;

namespace {

const std::string replayTool = gameDir + "/skycourse-replay";
const std::string route = SKYCOURSE_ROUTE;

// A scratch path, removed (with its ".part") when the test ends.
struct ScratchFile {
    std::string path;
    explicit ScratchFile(const std::string& stem)
        : path("/tmp/skycourse-e2e-" + stem + "-" + std::to_string(getpid()))
    {
        clear();
    }
    ~ScratchFile() { clear(); }
    void clear() const
    {
        std::remove(path.c_str());
        std::remove((path + ".part").c_str());
    }
};

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

// The header and tick rows the replay tool prints for a script, without its
// other rows (blocks, checkpoints).
std::vector<std::string> replayRows(const std::string& script)
{
    std::string rows;
    if (FILE* out = popen(("'" + replayTool + "' '" + script + "' 2>&1").c_str(), "r")) {
        char buffer[4096];
        for (size_t n; (n = fread(buffer, 1, sizeof buffer, out)) > 0;) rows.append(buffer, n);
        pclose(out);
    }
    std::vector<std::string> lines = linesOf(rows);
    std::erase_if(lines, [](const std::string& l) { return l.rfind("block,", 0) == 0 || l.rfind("checkpoint,", 0) == 0; });
    return lines;
}

// Tick rows written so far to a SKYCOURSE_ROWS file (its header not counted).
size_t tickRows(const std::string& file)
{
    const std::string text = fileText(file);
    const size_t lines = size_t(std::count(text.begin(), text.end(), '\n'));
    return lines > 0 ? lines - 1 : 0;
}

// The part of the game's window on the screen: the viewable top-level
// window of this size. With no window manager to place it, freeglut leaves
// it at (-1, -1).
WindowBox windowSized(Display* display, int width, int height)
{
    for (WindowBox w : viewableTopWindows(display)) {
        if (w.width != width || w.height != height) continue;
        w.width -= std::max(0, -w.x);
        w.height -= std::max(0, -w.y);
        w.x = std::max(0, w.x);
        w.y = std::max(0, w.y);
        return w;
    }
    return {};
}

bool showsGoldLettering(Display* display, const WindowBox& window)
{
    const Image image = grabScreen(display, window.x, window.y, window.width, window.height);
    int gold = 0;
    for (uint32_t p : image.pixels) {
        const int r = int(p >> 16 & 0xff), g = int(p >> 8 & 0xff), b = int(p & 0xff);
        gold += (r > 190 && g > 110 && b < 140 && r > b + 80) ? 1 : 0;
    }
    return gold * 200 > int(image.pixels.size());
}

TEST(Desktop, EachSignalLeavesGameModeAndKeepsTheRecording)
{
    START_XORG(server);
    XClient x(server.display);
    ASSERT_NE(x.display, nullptr);
    const Image root = grabGameScreen(x.display);
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(strsignal(signal));
        ScratchFile recording("signal-run");
        GameRun game = startGame(gameDir, server.display, {}, {"--record", recording.path});
        ASSERT_TRUE(waitUntil([&] { return currentVideoMode(x.display) == gameMode; }, 30))
            << "the screen never switched to 1280x1024" << describe(server, game);
        ASSERT_TRUE(waitUntil(
            [&] { return framesDrawn(x.display, root, gameMode.width, gameMode.height); }, 60))
            << "no game frame reached the screen" << describe(server, game);

        kill(game.pid, signal);
        ASSERT_TRUE(waitForExit(game, 20)) << "the game outlived the signal" << describe(server, game);
        EXPECT_EQ(game.exitCode, 128 + signal) << describe(server, game);
        EXPECT_EQ(currentVideoMode(x.display), desktopMode) << "the desktop's mode was not restored";
        EXPECT_NE(fileText(recording.path).find("tick"), std::string::npos) << "no recording kept";
        EXPECT_FALSE(std::filesystem::exists(recording.path + ".part"));
    }
}

TEST(Desktop, AWindowLeavesTheModeAloneAndItsCloseButtonExitsZero)
{
    START_XORG(server);
    XClient x(server.display);
    ASSERT_NE(x.display, nullptr);
    GameRun game = startGame(gameDir, server.display, {}, {"--window", "800x600"});
    WindowBox window;
    ASSERT_TRUE(waitUntil([&] { return (window = windowSized(x.display, 800, 600)).id != 0; }, 30))
        << "no 800x600 window" << describe(server, game);
    // A textured scene, not the black of a window never drawn into.
    ASSERT_TRUE(waitUntil(
        [&] {
            return distinctColours(grabScreen(x.display, window.x, window.y, window.width, window.height),
                                   100) >= 100;
        },
        60))
        << "no game frame in the window" << describe(server, game);
    EXPECT_EQ(currentVideoMode(x.display), desktopMode) << "a window must not switch the mode";

    askToClose(x.display, window.id);
    ASSERT_TRUE(waitForExit(game, 20)) << "the close button did not end the game" << describe(server, game);
    EXPECT_EQ(game.exitCode, 0) << describe(server, game);
}

TEST(Desktop, AWindowWithoutASizeIs1280x1024)
{
    START_XVFB(server, x, 1600, 1200);  // room for the whole window
    GameRun game = startGame(gameDir, server.display, {}, {"--window"});
    ASSERT_TRUE(waitUntil([&] { return windowSized(x.display, 1280, 1024).id != 0; }, 30))
        << "no 1280x1024 window" << describe(server, game);
    expectEscEndsTheGame(x.display, game, server);
}

// The game recording in an 800x600 window, writing its own rows: a window
// of another size than the replay tool's screen, so the recording must carry
// the size its mouse lines were made in.
struct RecordedRun {
    ScratchFile recording{"recording"};
    ScratchFile rows{"run-rows"};
    GameRun game;
    WindowBox window;

    RecordedRun(const XServer& server, Display* display)
        : game(startGame(gameDir, server.display, {{"SKYCOURSE_ROWS", rows.path}},
                         {"--window", "800x600", "--record", recording.path}))
    {
        waitUntil([&] { return (window = windowSized(display, 800, 600)).id != 0; }, 30);
    }
    // Waits for a few ticks of the game, however slow the machine.
    bool ticks(size_t count) const
    {
        const size_t until = tickRows(rows.path) + count;
        return waitUntil([&] { return tickRows(rows.path) >= until; }, 60);
    }
};

TEST(Runs, ARecordedRunReplaysToTheRunsOwnRows)
{
    START_XVFB(server, x, 1024, 768);
    RecordedRun played(server, x.display);
    GameRun& game = played.game;
    const WindowBox& window = played.window;
    const ScratchFile& recording = played.recording;
    const ScratchFile& rows = played.rows;
    ASSERT_NE(window.id, 0u) << "no 800x600 window" << describe(server, game);
    auto ticks = [&](size_t count) { return played.ticks(count); };
    ASSERT_TRUE(ticks(5)) << describe(server, game);
    pressKey(x.display, XK_Up);
    ASSERT_TRUE(ticks(15));
    pressKey(x.display, XK_Return);
    ASSERT_TRUE(ticks(3));
    releaseKey(x.display, XK_Return);
    releaseKey(x.display, XK_Up);
    ASSERT_TRUE(ticks(3));
    tapKey(x.display, XK_p);  // mouse look on: a quarter window right is 90 degrees
    ASSERT_TRUE(ticks(2));
    movePointer(x.display, window.x + 600, window.y + 280);
    ASSERT_TRUE(ticks(3));
    pressKey(x.display, XK_Shift_L);
    tapKey(x.display, XK_Right);  // a quarter turn
    releaseKey(x.display, XK_Shift_L);
    ASSERT_TRUE(ticks(2));
    tapKey(x.display, XK_F1);
    pressKey(x.display, XK_Left);
    pressKey(x.display, XK_z);
    ASSERT_TRUE(ticks(10));
    releaseKey(x.display, XK_z);
    releaseKey(x.display, XK_Left);
    ASSERT_TRUE(ticks(3));
    expectEscEndsTheGame(x.display, game, server);

    const std::string script = fileText(recording.path);
    for (const char* line : {"special down UP\n", "key down 13\n", "window 800 600\n", "mouse ",
                             "special down RIGHT shift\n", "special down F1\n", "key down 122\n"}) {
        EXPECT_NE(script.find(line), std::string::npos) << "no '" << line << "' in\n" << script;
    }
    ASSERT_GT(script.size(), 12u);
    EXPECT_EQ(script.substr(script.size() - 12), "key down 27\n") << script;

    const std::vector<std::string> run = linesOf(fileText(rows.path));
    const std::vector<std::string> replayed = replayRows(recording.path);
    ASSERT_GT(run.size(), 40u);
    EXPECT_EQ(replayed, run) << "the recording:\n" << script;
    // The keys reached the game: it jumped, the mouse turned the view and
    // Shift+Right gave it a quarter turn.
    bool jumped = false, looked = false, turned = false;
    for (size_t i = 1; i < run.size(); ++i) {
        std::vector<std::string> fields;
        size_t start = 0;
        for (size_t end; (end = run[i].find(',', start)) != std::string::npos; start = end + 1) {
            fields.push_back(run[i].substr(start, end - start));
        }
        ASSERT_GE(fields.size(), 13u) << run[i];
        jumped = jumped || fields[9] == "1";
        looked = looked || fields[10] != "0";
        turned = turned || fields[12] == "1";
    }
    EXPECT_TRUE(jumped && looked && turned) << jumped << looked << turned << " in the run's rows";
}

TEST(Runs, AKilledRecordingKeepsEveryTickUpToTheLast)
{
    START_XVFB(server, x, 1024, 768);
    RecordedRun played(server, x.display);
    ASSERT_NE(played.window.id, 0u) << "no 800x600 window" << describe(server, played.game);
    ASSERT_TRUE(played.ticks(3));
    pressKey(x.display, XK_Down);
    ASSERT_TRUE(played.ticks(12));
    kill(played.game.pid, SIGKILL);
    ASSERT_TRUE(waitForExit(played.game, 20));
    releaseKey(x.display, XK_Down);

    // The row of the tick the kill cut short may be in the trace but not yet
    // in the recording: everything before it is in both.
    const std::vector<std::string> run = linesOf(fileText(played.rows.path));
    const std::vector<std::string> replayed = replayRows(played.recording.path + ".part");
    ASSERT_GT(replayed.size(), 15u) << fileText(played.recording.path + ".part");
    ASSERT_LE(replayed.size(), run.size());
    EXPECT_LE(run.size() - replayed.size(), 1u);
    EXPECT_TRUE(std::equal(replayed.begin(), replayed.end(), run.begin()))
        << "the recording:\n" << fileText(played.recording.path + ".part");
}

// Space and the Pause key pause the game, Backspace starts it again: what is
// pressed while paused never reaches the ball or the recording, the restart
// is a line of its own, and the recording still replays to the run's rows.
TEST(Runs, ARunWithAPauseAndARestartReplaysToItsOwnRows)
{
    START_XVFB(server, x, 1024, 768);
    RecordedRun played(server, x.display);
    GameRun& game = played.game;
    ASSERT_NE(played.window.id, 0u) << "no 800x600 window" << describe(server, game);
    auto ticks = [&](size_t count) { return played.ticks(count); };
    ASSERT_TRUE(ticks(5)) << describe(server, game);
    pressKey(x.display, XK_Up);
    ASSERT_TRUE(ticks(10));
    // Paused, the menu takes the arrows; c does nothing to the ball.
    tapKey(x.display, XK_space);
    tapKey(x.display, XK_c);
    pressKey(x.display, XK_Left);
    releaseKey(x.display, XK_Up);
    releaseKey(x.display, XK_Left);
    tapKey(x.display, XK_space);
    ASSERT_TRUE(ticks(5)) << describe(server, game);
    // The Pause key comes on a connection of its own, in no fixed order with
    // Space: either way round, the game goes on only if it was heard.
    tapKey(x.display, XK_space);
    tapKey(x.display, XK_Pause);
    ASSERT_TRUE(ticks(5)) << "the Pause key was not heard" << describe(server, game);
    tapKey(x.display, XK_t);
    tapKey(x.display, XK_BackSpace);
    pressKey(x.display, XK_Down);
    ASSERT_TRUE(ticks(8));
    releaseKey(x.display, XK_Down);
    ASSERT_TRUE(ticks(2));
    expectEscEndsTheGame(x.display, game, server);

    const std::string script = fileText(played.recording.path);
    for (const char* line : {"special down UP\n", "special up UP\n", "restart\n", "special down DOWN\n"}) {
        EXPECT_NE(script.find(line), std::string::npos) << "no '" << line << "' in\n" << script;
    }
    for (const char* line : {"key down 13\n", "key down 99\n", "special down LEFT", "key down 32\n", "key down 8\n"}) {
        EXPECT_EQ(script.find(line), std::string::npos) << "'" << line << "' in\n" << script;
    }
    const std::vector<std::string> run = linesOf(fileText(played.rows.path));
    ASSERT_GT(run.size(), 25u);
    EXPECT_EQ(replayRows(played.recording.path), run) << "the recording:\n" << script;
}

// Both renderers play the whole course to the end picture.
TEST(Runs, WatchingTheRecordedRouteReachesTheEndScreen)
{
    const std::vector<std::string> expected = replayRows(route);
    ASSERT_GT(expected.size(), 9000u);
    for (const char* renderer : {"classic", "shaders"}) {
        SCOPED_TRACE(renderer);
        START_XVFB(server, x, 1024, 768);
        ScratchFile rows("watch-rows");
        GameRun game = startGame(gameDir, server.display, {{"SKYCOURSE_ROWS", rows.path}},
                                 {"--window", "640x512", "--watch", route, "--speed", "20", "--renderer", renderer});
        // Twenty ticks every 25 ms at the least: the slowest machine takes
        // minutes where the route itself lasts 4.
        ASSERT_TRUE(waitUntil([&] { return tickRows(rows.path) + 1 >= expected.size() || waitForExit(game, 0); }, 200))
            << tickRows(rows.path) << " of " << expected.size() - 1 << " ticks watched" << describe(server, game);
        EXPECT_EQ(linesOf(fileText(rows.path)), expected);
        const WindowBox window = windowSized(x.display, 640, 512);
        ASSERT_NE(window.id, 0u) << describe(server, game);
        EXPECT_TRUE(waitUntil([&] { return showsGoldLettering(x.display, window); }, 30))
            << "the end picture is not shown" << describe(server, game);
        // The script's own Esc ends the script, not the game: the player's does.
        EXPECT_FALSE(waitForExit(game, 0.5));
        expectEscEndsTheGame(x.display, game, server);
    }
}

TEST(CommandLine, BadInputIsOneLineAndExitTwoBeforeAnyWindow)
{
    START_XVFB(server, x, 640, 480);
    ScratchFile script("bad-script");
    {
        FILE* out = std::fopen(script.path.c_str(), "w");
        ASSERT_NE(out, nullptr);
        std::fputs("tick 3\n# fine\nspecial down UP shoft\n", out);
        std::fclose(out);
    }
    // One of each kind of refusal; the unit tests go through the variants.
    struct Case {
        std::vector<std::string> arguments;
        std::string named;  // what the one line must name
    };
    const Case cases[] = {
        {{"--frobnicate"}, "--frobnicate"},
        {{"--window", "100x100"}, "100x100"},
        {{"--watch", script.path}, "line 3"},
        {{"--watch", "/nonexistent/run.replay"}, "/nonexistent/run.replay"},
        {{"--record", "/nonexistent/run.replay"}, "/nonexistent/run.replay"},
        {{"--record", "/tmp"}, "/tmp"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.front() + (c.arguments.size() > 1 ? " " + c.arguments[1] : ""));
        GameRun game = startGame(gameDir, server.display, {}, c.arguments);
        ASSERT_TRUE(waitForExit(game, 20));
        EXPECT_EQ(game.exitCode, 2);
        const std::string output = gameOutput(game);
        EXPECT_EQ(linesOf(output).size(), 1u) << output;
        EXPECT_NE(output.find(c.named), std::string::npos) << output;
    }
    EXPECT_FALSE(std::filesystem::exists("/nonexistent/run.replay.part"));
}

TEST(CommandLine, HelpNamesEveryOptionAndKeyWithoutADisplay)
{
    GameRun game = startGame(gameDir, "", {}, {"--help"});
    ASSERT_TRUE(waitForExit(game, 20));
    EXPECT_EQ(game.exitCode, 0);
    const std::string help = gameOutput(game);
    for (const char* word : {"--window [WxH]", "--record FILE", "--watch FILE", "--speed N", "arrow keys",
                             "Enter", "F1", "Shift", "mouse look", "Esc", "SKYCOURSE_ROWS", "--volume N", "--mute",
                             "--print-keys", "Space", "Pause", "Backspace", "keys.conf", "times.json"}) {
        EXPECT_NE(help.find(word), std::string::npos) << word << " is missing from\n" << help;
    }
}

}  // namespace
