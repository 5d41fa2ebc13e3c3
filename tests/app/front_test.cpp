// The one front with no window and no page: the player's actions in, what
// it asks of the shell and the run's state out, on a clock the test turns.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/files/small_file.h"
#include "app/front/front.h"
#include "app/input/key_codes.h"
#include "app/input/pad.h"
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
        findCourse(builtInCourseId, {}, start.course);
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
        {"space pauses, the music softer, the pointer shown", key(' '), true, true, true, false, false, false},
        {"its release changes nothing", key(' '), false, true, {}, {}, false, false},
        {"mouse look waits for the pause", key('p'), true, true, {}, {}, false, false},
        {"space again goes on", key(' '), true, false, false, false, false, false},
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

// The pause opens the menu; its keys work it and never reach the game or
// the run's script; a setting changed there is in effect and kept; Restart
// there is Backspace's restart.
TEST(Front, ThePauseIsAMenuWorkedByItsKeys)
{
    Folder folder;
    Shell shell;
    shell.front.settingsPath = (folder.path / "settings.conf").string();
    const PlayerKey up{true, keyUp}, down{true, keyDown}, left{true, keyLeft};
    const PlayerKey enter{false, keyEnter}, back{false, keyBackspace};
    struct Step {
        const char* what;
        PlayerKey key;
        MenuScreen screen;
        bool paused;
    };
    const Step steps[] = {
        {"space opens the menu", key(' '), MenuScreen::Pause, true},
        {"down to Restart", down, MenuScreen::Pause, true},
        {"down to Courses", down, MenuScreen::Pause, true},
        {"down to Best times", down, MenuScreen::Pause, true},
        {"down to Settings", down, MenuScreen::Pause, true},
        {"Enter opens Settings", enter, MenuScreen::Settings, true},
        {"left turns the music down", left, MenuScreen::Settings, true},
        {"Backspace goes back", back, MenuScreen::Pause, true},
        {"and again goes on", back, MenuScreen::Closed, false},
        {"space opens it again", key(' '), MenuScreen::Pause, true},
        {"up from the top", up, MenuScreen::Pause, true},
        {"space closes it", key(' '), MenuScreen::Closed, false},
    };
    for (const Step& step : steps) {
        frontKey(shell.front, step.key, true, 0);
        frontKey(shell.front, step.key, false, 0);
        EXPECT_EQ(shell.front.menu.screen, step.screen) << step.what;
        EXPECT_EQ(shell.front.play.paused, step.paused) << step.what;
    }
    const FrontAsks asks = takeAsks(shell.front);
    ASSERT_TRUE(asks.settings);
    EXPECT_NE(asks.settings->musicVolume, PlayerSettings{}.musicVolume);
    std::string problem;
    EXPECT_EQ(loadPlayerSettings(shell.front.settingsPath, problem).musicVolume, asks.settings->musicVolume);
    EXPECT_EQ(spellRunScript(shell.front.race.script), "") << "the menu's keys are no part of the run";

    const std::string recording = (folder.path / "run.replay").string();
    ASSERT_EQ(startRecording(shell.front.recording, recording), "");
    shell.tick();
    frontKey(shell.front, key(' '), true, 0);
    frontKey(shell.front, down, true, 0);
    frontKey(shell.front, enter, true, 0);
    EXPECT_FALSE(menuOpen(shell.front));
    EXPECT_FALSE(shell.front.play.paused);
    EXPECT_EQ(shell.front.play.game.ticksPlayed, 0);
    endFront(shell.front);
    std::string text;
    ASSERT_EQ(readSmallFile(recording, 4096, text), SmallFile::Read);
    EXPECT_EQ(text, "tick\nrestart\n");
}

// The pad through the front: raw readings in, the game's actions and the
// menu's steps out. A bound button does its new action only; the pad's own
// buttons work the menu whatever is bound; a button pressed in the menu is
// let go there; one bound there plays its action at once, beside the key
// the action had.
TEST(Front, ThePadPlaysThroughTheBindingsAndWorksTheMenu)
{
    Folder folder;
    Shell shell;
    shell.front.keysPath = (folder.path / "keys.conf").string();
    std::vector<std::string> problems;
    shell.front.bindings = parseKeyBindings("forward = w\n", problems);
    constexpr unsigned none = 0, a = 1u << padA, b = 1u << padB, x = 1u << padX, start = 1u << padStart,
                       up = 1u << padUp;
    constexpr int pushed = -32768;  // the left stick up
    using enum MenuScreen;
    struct Step {
        const char* what;
        unsigned buttons;
        int leftY;
        bool tap;  // pressed and let go
        MenuScreen screen;
        bool jump, forward;
    };
    const Step steps[] = {
        {"A jumps", a, 0, false, Closed, true, false},
        {"let go", none, 0, false, Closed, false, false},
        {"X is nothing yet", x, 0, true, Closed, false, false},
        {"the stick rolls forward", none, pushed, false, Closed, false, true},
        {"Start opens the menu, the stick held", start, pushed, false, Pause, false, true},
        {"the stick lets go as usual", none, 0, false, Pause, false, false},
        {"A takes Resume, and is no jump", a, 0, false, Closed, false, false},
        {"nor is its release", none, 0, false, Closed, false, false},
        {"Start again", start, 0, true, Pause, false, false},
        {"up round to Quit", up, 0, true, Pause, false, false},
        {"the stick up to Settings", none, pushed, true, Pause, false, false},
        {"A opens Settings", a, 0, true, Settings, false, false},
        {"up round to Back", up, 0, true, Settings, false, false},
        {"the stick up to Keys", none, pushed, true, Settings, false, false},
        {"A opens Keys, on forward", a, 0, true, Keys, false, false},
        {"A chooses forward", a, 0, true, WaitingForKey, false, false},
        {"X is the answer", x, 0, true, Keys, false, false},
        {"A chooses forward again", a, 0, true, WaitingForKey, false, false},
        {"Start cancels", start, 0, true, Keys, false, false},
        {"and again", a, 0, true, WaitingForKey, false, false},
        {"A is the jump's", a, 0, true, Clash, false, false},
        {"B keeps it", b, 0, true, Keys, false, false},
        {"Start closes the menu", start, 0, true, Closed, false, false},
        {"X rolls forward now", x, 0, false, Closed, false, true},
        {"A still jumps", x | a, 0, false, Closed, true, true},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        frontPad(shell.front, {step.buttons, 0, step.leftY, 0, 0});
        if (step.screen == Clash) {
            EXPECT_EQ(shell.front.menu.notice, "'pad-a' already does jump");
        }
        if (step.tap) frontPad(shell.front, {});
        ASSERT_EQ(shell.front.menu.screen, step.screen);
        EXPECT_EQ(shell.front.play.paused, step.screen != Closed);
        EXPECT_EQ(shell.front.play.input.controls.jumpHeld, step.jump);
        EXPECT_EQ(shell.front.play.input.controls.moveForward, step.forward);
    }
    EXPECT_EQ(spellRunScript(shell.front.race.script),
              "key down 13\nkey up 13\nspecial down UP\nspecial up UP\nspecial down UP\nkey down 13\n")
        << "what the keys they stand for would be";
    std::string text;
    ASSERT_EQ(readSmallFile(shell.front.keysPath, 4096, text), SmallFile::Read);
    EXPECT_NE(text.find("forward = w\nforward = pad-x\n"), std::string::npos) << text;

    shell.front.settings.padDeadZone = 50;
    frontPad(shell.front, {0, 0, pushed / 5 * 2, 0, 0});
    EXPECT_FALSE(shell.front.play.input.controls.moveForward) << "past a third, inside the player's dead zone";
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
