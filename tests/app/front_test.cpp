// The one front with no window and no page: the player's actions in, what
// it asks of the shell and the run's state out, on a clock the test turns.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/front/front.h"
#include "app/input/key_codes.h"
#include "app/race/best_run.h"
#include "app/script/watching.h"
#include "tests/app/ghost_scripts.h"

namespace {

struct Folder {
    std::filesystem::path path;
    Folder()
    {
        char name[] = "/tmp/skycourse-front-XXXXXX";
        path = mkdtemp(name);
    }
    ~Folder() { std::filesystem::remove_all(path); }
};

struct Shell {
    double nowMs = 0.0;
    Front front;

    explicit Shell(const std::string& dataFolder = "")
    {
        FrontStart start;
        start.now = [this] { return nowMs; };
        start.game = newScriptGame();
        start.dataFolder = dataFolder;
        start.keepRows = true;
        startFront(front, std::move(start));
        frontStartTicks(front);
    }
    // One tick of the clock later.
    void tick()
    {
        nowMs += tickMilliseconds;
        frontTicks(front);
    }
    // A script's lines as the player's keys, pointer and time.
    void play(const std::vector<ScriptCommand>& commands, FrontAsks& asks)
    {
        for (const ScriptCommand& c : commands) {
            switch (c.kind) {
            case ScriptKind::KeyDown: frontKey(front, {false, c.a}, true, 0); break;
            case ScriptKind::KeyUp: frontKey(front, {false, c.a}, false, 0); break;
            case ScriptKind::SpecialDown: frontKey(front, {true, c.a}, true, c.b); break;
            case ScriptKind::SpecialUp: frontKey(front, {true, c.a}, false, 0); break;
            case ScriptKind::Mouse: frontPointer(front, c.a, c.b); break;
            case ScriptKind::Window: frontResize(front, c.a, c.b); break;
            case ScriptKind::Tick:
                for (int i = 0; i < c.a; ++i) tick();
                break;
            default: break;
            }
            FrontAsks more = takeAsks(front);
            asks.events.insert(asks.events.end(), more.events.begin(), more.events.end());
            asks.filesWritten = asks.filesWritten || more.filesWritten;
            if (!more.line.empty()) asks.line = more.line;
        }
    }
};

PlayerKey key(int code)
{
    return {false, code};
}

TEST(Front, EachActionAsksTheShellForWhatItNeeds)
{
    struct Step {
        const char* what;
        PlayerKey key;
        bool down;
        bool paused;
        std::optional<bool> musicSoft;
        std::optional<bool> pointerCaptured;
        bool toggleMute;
        bool quit;
    };
    const Step steps[] = {
        {"space pauses, the music softer", key(' '), true, true, true, {}, false, false},
        {"its release changes nothing", key(' '), false, true, {}, {}, false, false},
        {"mouse look waits for the pause", key('p'), true, true, {}, {}, false, false},
        {"space again goes on", key(' '), true, false, false, {}, false, false},
        {"p takes the pointer", key('p'), true, false, {}, true, false, false},
        {"and again gives it back", key('p'), true, false, {}, false, false, false},
        {"m mutes", key('m'), true, false, {}, {}, true, false},
        {"Esc ends the game", key(keyEscape), true, false, {}, {}, false, true},
    };
    Shell shell;
    takeAsks(shell.front);
    for (const Step& step : steps) {
        frontKey(shell.front, step.key, step.down, 0);
        const FrontAsks asks = takeAsks(shell.front);
        EXPECT_EQ(shell.front.play.paused, step.paused) << step.what;
        EXPECT_EQ(asks.musicSoft, step.musicSoft) << step.what;
        EXPECT_EQ(asks.pointerCaptured, step.pointerCaptured) << step.what;
        EXPECT_EQ(asks.toggleMute, step.toggleMute) << step.what;
        EXPECT_EQ(asks.quit, step.quit) << step.what;
        EXPECT_TRUE(asks.redraw) << step.what;
    }
}

TEST(Front, PausedTicksAskForNoFrameAndTheBrowsersEscGivesThePointerBack)
{
    Shell shell;
    frontKey(shell.front, key('p'), true, 0);
    frontKey(shell.front, key(' '), true, 0);
    takeAsks(shell.front);
    for (int i = 0; i < 10; ++i) shell.tick();
    EXPECT_EQ(shell.front.play.game.ticksPlayed, 0);
    EXPECT_FALSE(takeAsks(shell.front).redraw) << "nothing changed on screen";

    frontPointerLost(shell.front);
    const FrontAsks asks = takeAsks(shell.front);
    EXPECT_EQ(asks.pointerCaptured, false) << "mouse look goes off even while paused";
    EXPECT_TRUE(shell.front.play.paused);
    EXPECT_EQ(asks.musicSoft, std::nullopt) << "the music stays soft";
    EXPECT_TRUE(shell.front.play.input.mouseLookDisabled);
}

TEST(Front, AWatchedScriptTakesNoKeysButEsc)
{
    char name[] = "/tmp/skycourse-front-watch-XXXXXX";
    const int fd = mkstemp(name);
    const std::string text = "special down UP\ntick 20\n";
    ASSERT_EQ(write(fd, text.data(), text.size()), ssize_t(text.size()));
    close(fd);
    Shell shell;
    EXPECT_EQ(frontWatch(shell.front, name, 99), "");
    EXPECT_EQ(shell.front.speed, fastestWatchSpeed);
    EXPECT_NE(frontWatch(shell.front, "/nonexistent/run.replay", 1), "");
    EXPECT_TRUE(shell.front.watching) << "a script that cannot be read changes nothing";
    frontKey(shell.front, key(' '), true, 0);
    EXPECT_FALSE(shell.front.play.paused);
    shell.tick();
    EXPECT_EQ(shell.front.play.game.ticksPlayed, 20);
    shell.tick();
    EXPECT_FALSE(shell.front.loop.running) << "the loop stops with the script";
    frontKey(shell.front, key(keyEscape), true, 0);
    EXPECT_TRUE(takeAsks(shell.front).quit);
    unlink(name);
}

// The whole race through the front: the route played as keys and pointer
// moves finishes with a new best, kept; Backspace restarts the ticks and the
// music, and the next run has the first as its ghost, on the ball tick for
// tick, with a split at the first checkpoint.
TEST(Front, AFinishedRunIsKeptAndRacedAfterARestart)
{
    Folder folder;
    Shell shell(folder.path.string());
    const std::vector<ScriptCommand> route = commandsOf(routeGhost().script.lines);
    FrontAsks asks;
    shell.play(route, asks);
    ASSERT_EQ(shell.front.play.game.gameState, EndScreen);
    EXPECT_EQ(shell.front.runLine, "time 3:54.95 - a new best!");
    EXPECT_TRUE(asks.filesWritten);
    EXPECT_EQ(asks.line, "");
    EXPECT_TRUE(std::filesystem::exists(bestRunPath(folder.path.string())));
    shell.tick();
    EXPECT_FALSE(shell.front.loop.running) << "the ticks stop at the end screen";

    frontKey(shell.front, key(8), true, 0);
    const FrontAsks restart = takeAsks(shell.front);
    EXPECT_TRUE(restart.ticksRestarted);
    EXPECT_TRUE(restart.restartMusic);
    EXPECT_EQ(shell.front.runLine, "");
    ASSERT_TRUE(shell.front.race.ghost);

    FrontAsks again;
    int onTheBall = 0;
    for (const ScriptCommand& c : route) {
        if (c.kind == ScriptKind::Tick) {
            for (int i = 0; i < c.a && shell.front.play.game.gameState == Playing; ++i) {
                shell.tick();
                const Ball* ghost = ghostBall(shell.front.race, true);
                onTheBall += ghost && *ghost == shell.front.play.game.ball;
                if (shell.front.play.game.ticksPlayed == shell.front.race.marks.checkpointTicks[0]) {
                    const std::optional<SplitLine> split = raceSplit(shell.front.race, shell.front.play.game);
                    ASSERT_TRUE(split);
                    EXPECT_NE(split->text.find("checkpoint 1"), std::string::npos) << split->text;
                }
            }
        } else {
            shell.play({c}, again);
        }
    }
    EXPECT_EQ(onTheBall, 9398);
    EXPECT_EQ(shell.front.runLine, "time 3:54.95");
}

}  // namespace
