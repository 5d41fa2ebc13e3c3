// The game as the player drives it: the pause holds game time and the ball,
// Backspace gives back the game of start-up, keys.conf's keys stand in for
// the game's own.

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/input/pad.h"
#include "app/play/play.h"
#include "app/front/frame_input.h"
#include "sim/items.h"

namespace {

constexpr PlayerKey up{true, GLUT_KEY_UP};
constexpr PlayerKey space{false, ' '};
constexpr PlayerKey backspace{false, 8};

void run(Play& play, int ticks)
{
    for (int i = 0; i < ticks; ++i) advanceTick(play.game, play.input.controls);
}

KeyBindings bindings(const std::string& text)
{
    std::vector<std::string> problems;
    KeyBindings bound = parseKeyBindings(text, problems);
    EXPECT_TRUE(problems.empty()) << problems.front();
    return bound;
}

TEST(Pause, NoTickIsPlayedWhilePausedNorMadeUpAfter)
{
    Play play = startPlay(newScriptGame());
    TickClock clock = startTickClock(0.0);
    pressPlayKey(play, {}, space, 0);
    ASSERT_TRUE(play.paused);
    int played = 0;
    for (double now = 25.0; now <= 5000.0; now += 25.0) played += takeTicksToPlay(play, clock, now);
    EXPECT_EQ(played, 0);
    pressPlayKey(play, {}, space, 0);
    EXPECT_FALSE(play.paused);
    EXPECT_EQ(takeTicksToPlay(play, clock, 5025.0), 1) << "the paused ticks are not made up";
}

TEST(Pause, KeysPressedWhilePausedDoNothingToTheBallOrTheView)
{
    Play play = startPlay(newScriptGame());
    run(play, 10);
    pressPlayKey(play, {}, space, 0);
    const Game before = play.game;
    const Input inputBefore = play.input;
    const PlayerKey keys[] = {up, {true, GLUT_KEY_LEFT}, {false, 13}, {false, 'c'}, {false, 'l'}, {false, 'p'},
                              {true, GLUT_KEY_F1}};
    for (const PlayerKey& key : keys) {
        const KeyOutcome outcome = pressPlayKey(play, {}, key, GLUT_ACTIVE_SHIFT);
        EXPECT_FALSE(outcome.record) << "nothing was done, so nothing is recorded";
        pressPlayKey(play, {}, key, 0);
    }
    EXPECT_EQ(play.game, before);
    EXPECT_EQ(play.input.controls, inputBefore.controls);
    EXPECT_EQ(play.input.jumpKey, inputBefore.jumpKey);
    EXPECT_EQ(play.input.mouseLookDisabled, inputBefore.mouseLookDisabled);
    EXPECT_TRUE(pressPlayKey(play, {}, {false, 27}, 0).quit) << "Esc still leaves";
}

TEST(Pause, AReleaseWhilePausedStillLetsGo)
{
    Play play = startPlay(newScriptGame());
    pressPlayKey(play, {}, up, 0);
    pressPlayKey(play, {}, space, 0);
    const KeyOutcome released = releasePlayKey(play, {}, up);
    EXPECT_TRUE(released.record);
    EXPECT_FALSE(play.input.controls.moveForward) << "no ball rolls off on its own after the pause";
}

TEST(Pause, NotOnTheEndScreen)
{
    Play play = startPlay(newScriptGame());
    play.game.gameState = EndScreen;
    pressPlayKey(play, {}, space, 0);
    EXPECT_FALSE(play.paused);
}

TEST(Timer, ShowsGameTimeAndTheCheckpointsTakenAndIsOffAtTheStart)
{
    Play play = startPlay(newScriptGame());
    EXPECT_FALSE(play.timerShown);
    pressPlayKey(play, {}, {false, 't'}, 0);
    EXPECT_TRUE(play.timerShown);
    run(play, 40);
    pressPlayKey(play, {}, space, 0);
    TickClock clock = startTickClock(0.0);
    EXPECT_EQ(takeTicksToPlay(play, clock, 2000.0), 0);
    play.game.courseState.checkpoints[1].taken = true;
    EXPECT_EQ(timerLine(play.game), "0:01.00   checkpoints 1/" + std::to_string(play.game.course->checkpoints.size()));
    play.game.gameState = EndScreen;
    run(play, 40);
    EXPECT_EQ(play.game.ticksPlayed, 40) << "the clock stops at the ring";
    pressPlayKey(play, {}, {false, 'T'}, 0);
    EXPECT_FALSE(play.timerShown);
}

// "g", or a key keys.conf gives it, even while paused; never a key of the
// game's own, so a recording knows nothing of it.
TEST(Ghost, ShownAtTheStartAndSwitchedByItsKeyOrABoundOne)
{
    Play play = startPlay(newScriptGame());
    EXPECT_TRUE(play.ghostShown);
    EXPECT_FALSE(pressPlayKey(play, {}, {false, 'g'}, 0).record);
    EXPECT_FALSE(play.ghostShown);
    pressPlayKey(play, {}, space, 0);
    pressPlayKey(play, {}, {false, 'G'}, 0);
    EXPECT_TRUE(play.ghostShown) << "while paused too";
    const KeyBindings bound = bindings("ghost = f5\n");
    pressPlayKey(play, bound, {true, GLUT_KEY_F5}, 0);
    EXPECT_FALSE(play.ghostShown);
    EXPECT_NE(describeBindings(bound).find("ghost       g, f5\n"), std::string::npos) << describeBindings(bound);
}

TEST(Restart, GivesBackTheWholeGameOfStartUp)
{
    // From a run with the view turned, keys held, the timer on, a checkpoint
    // taken and the pause on: the game, input and pause as at start-up.
    const Game fresh = newGame(77);
    Play play = startPlay(fresh);
    pressPlayKey(play, {}, {false, 't'}, 0);
    pressPlayKey(play, {}, {false, 'c'}, 0);
    pressPlayKey(play, {}, {true, GLUT_KEY_RIGHT}, GLUT_ACTIVE_SHIFT);
    pressPlayKey(play, {}, up, 0);
    pressPlayKey(play, {}, {false, 13}, 0);
    run(play, 200);
    play.game.courseState.checkpoints.front().taken = true;
    pressPlayKey(play, {}, space, 0);
    ASSERT_NE(play.game, fresh);

    const KeyOutcome outcome = pressPlayKey(play, {}, backspace, 0);
    EXPECT_EQ(play.game, fresh);
    EXPECT_EQ(checkpointsTaken(play.game.courseState), 0);
    EXPECT_EQ(play.input.controls, Controls{});
    EXPECT_FALSE(play.paused);
    EXPECT_TRUE(play.timerShown) << "the timer's display is the player's choice, kept";
    EXPECT_EQ(outcome.command.kind, ScriptKind::Restart) << "a recording replays the restart";

    // And the same run again gives the same game.
    Play again = startPlay(fresh);
    run(again, 30);
    run(play, 30);
    EXPECT_EQ(play.game, again.game);
}

TEST(KeyBindings, ABoundKeyStandsInForTheGamesOwnKey)
{
    struct Case {
        const char* conf;
        PlayerKey pressed;
        int modifiers;
        ScriptCommand down;  // what is acted on and recorded
    };
    const Case cases[] = {
        {"forward = w", {false, 'w'}, 0, {ScriptKind::SpecialDown, GLUT_KEY_UP, 0, {}}},
        {"forward = w", {false, 'W'}, 0, {ScriptKind::SpecialDown, GLUT_KEY_UP, 0, {}}},
        {"left = a", {false, 'a'}, GLUT_ACTIVE_SHIFT, {ScriptKind::SpecialDown, GLUT_KEY_LEFT, 0, {}}},
        {"jump = space", space, 0, {ScriptKind::KeyDown, 13, 0, {}}},
        {"turn left = q", {false, 'q'}, 0, {ScriptKind::SpecialDown, GLUT_KEY_LEFT, GLUT_ACTIVE_SHIFT, {}}},
        {"turn round = f5", {true, GLUT_KEY_F5}, 0, {ScriptKind::SpecialDown, GLUT_KEY_DOWN, GLUT_ACTIVE_SHIFT, {}}},
        {"camera = v", {false, 'v'}, 0, {ScriptKind::KeyDown, 'c', 0, {}}},
        {"mouse look = tab", {false, 9}, 0, {ScriptKind::KeyDown, 'p', 0, {}}},
        {"level = up", up, 0, {ScriptKind::KeyDown, 'l', 0, {}}},
        {"forward = w", up, 0, {ScriptKind::SpecialDown, GLUT_KEY_UP, 0, {}}},
        {"jump = pad-x", padKey(padX), 0, {ScriptKind::KeyDown, 13, 0, {}}},
        {"camera = pad-a", padKey(padA), 0, {ScriptKind::KeyDown, 'c', 0, {}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.conf);
        Play play = startPlay(newScriptGame());
        const KeyOutcome outcome = pressPlayKey(play, bindings(c.conf), c.pressed, c.modifiers);
        EXPECT_TRUE(outcome.record);
        EXPECT_EQ(spellScriptLine(outcome.command), spellScriptLine(c.down));
    }
    // A free pad button is nothing, though its code is Backspace's.
    Play play = startPlay(newScriptGame());
    EXPECT_FALSE(pressPlayKey(play, {}, padKey(padLeftStick), 0).record);
    EXPECT_FALSE(releasePlayKey(play, {}, padKey(padLeftStick)).record);
}

TEST(KeyBindings, BoundKeysDriveTheBallAsTheArrowsDo)
{
    const KeyBindings wasd = bindings("forward = w\nleft = a\nback = s\nright = d\njump = space\npause = f2\n");
    Play keys = startPlay(newScriptGame());
    Play arrows = startPlay(newScriptGame());
    pressPlayKey(keys, wasd, {false, 'w'}, 0);
    pressPlayKey(keys, wasd, {false, 'd'}, 0);
    pressPlayKey(keys, wasd, space, 0);
    pressPlayKey(arrows, {}, up, 0);
    pressPlayKey(arrows, {}, {true, GLUT_KEY_RIGHT}, 0);
    pressPlayKey(arrows, {}, {false, 13}, 0);
    EXPECT_FALSE(keys.paused) << "Space is the jump now";
    run(keys, 40);
    run(arrows, 40);
    releasePlayKey(keys, wasd, {false, 'w'});
    releasePlayKey(keys, wasd, space);
    EXPECT_FALSE(keys.input.controls.moveForward);
    EXPECT_FALSE(keys.input.controls.jumpHeld);
    EXPECT_EQ(keys.game, arrows.game);
    pressPlayKey(keys, wasd, {true, GLUT_KEY_F2}, 0);
    EXPECT_TRUE(keys.paused);
}

TEST(KeyBindings, BadLinesAreNamedAndTheRestKept)
{
    std::vector<std::string> problems;
    const KeyBindings bound = parseKeyBindings(
        "# wasd\n\nforward = w\nfly = x\njump = \nback = s # s for south\nright d\nleft = w\nturn left = ctrl+q\n"
        "camera = \xff\n"
        "jump = pad-start\njump = pad-z\nback = pad-x\n",
        problems);
    const std::vector<std::string> named = {"line 4: unknown action 'fly'", "line 5: unknown key ''",
                                            "line 7: expected `action = key`", "line 8: key 'w' is bound already",
                                            "line 9: unknown key 'ctrl+q'", "line 10: unknown key",
                                            "line 11: pad-start always opens the menu; it cannot be bound",
                                            "line 12: unknown key 'pad-z'"};
    ASSERT_EQ(problems.size(), named.size());
    for (size_t i = 0; i < named.size(); ++i) EXPECT_EQ(problems[i].rfind(named[i], 0), 0u) << problems[i];
    Action action;
    ASSERT_TRUE(actionOfKey(bound, {false, 's'}, action));
    EXPECT_EQ(action, Action::Back);
    ASSERT_TRUE(actionOfKey(bound, {false, 'w'}, action));
    EXPECT_EQ(action, Action::Forward);
    EXPECT_FALSE(actionOfKey(bound, {false, 'x'}, action));
    ASSERT_TRUE(actionOfKey(bound, padKey(padX), action));
    EXPECT_EQ(action, Action::Back);
    EXPECT_FALSE(actionOfKey(bound, {false, padX}, action)) << "the key of the button's code is another";
    const std::string shown =
        describeBindings(bindings("jump = space\ncamera = up\nforward = w\nlevel = pad-a\njump = pad-y\n"));
    EXPECT_NE(shown.find("forward     pad-up, w\n"), std::string::npos) << shown;
    EXPECT_NE(shown.find("jump        enter (z after f1), space, pad-y\n"), std::string::npos) << shown;
    EXPECT_NE(shown.find("pause       pause, pad-start\n"), std::string::npos) << "Space is the jump's now: " << shown;
    EXPECT_NE(shown.find("camera      c, up\n"), std::string::npos) << shown;
    EXPECT_NE(shown.find("level       l, pad-a\n"), std::string::npos) << shown;
}

// A complaint quotes the player's line; bytes that could drive the terminal
// are shown as \xNN, never passed on.
TEST(KeyBindings, ComplaintsShowControlBytesEscaped)
{
    const struct {
        const char* line;
        const char* shown;
    } cases[] = {
        {"forward = \x1b[31mX\n", "unknown key '\\x1b[31mX'"},
        {"\x1b]0;owned\x07 = w\n", "unknown action '\\x1b]0;owned\\x07'"},
        {"jump = \xc3\xa9\x01\n", "unknown key '\\xc3\\xa9\\x01'"},
        {"back = \x7f\n", "unknown key '\\x7f'"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> problems;
        parseKeyBindings(c.line, problems);
        ASSERT_EQ(problems.size(), 1u) << c.shown;
        EXPECT_NE(problems[0].find(c.shown), std::string::npos) << problems[0];
        for (char byte : problems[0]) EXPECT_TRUE(byte >= 0x20 && byte < 0x7f) << problems[0];
    }
}

TEST(KeyBindings, AnUnreadableOrHugeFileIsIgnoredInOneLine)
{
    std::vector<std::string> problems;
    EXPECT_TRUE(loadKeyBindings("/nonexistent/keys.conf", problems).bound.empty());
    EXPECT_TRUE(problems.empty()) << "no file is the usual case";

    const std::string huge = "/tmp/skycourse-keys-huge.conf";
    {
        std::FILE* file = std::fopen(huge.c_str(), "w");
        ASSERT_NE(file, nullptr);
        for (int i = 0; i < 20000; ++i) std::fputs("forward = w\n", file);
        std::fclose(file);
    }
    EXPECT_TRUE(loadKeyBindings(huge, problems).bound.empty());
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("64 KiB"), std::string::npos);
    std::remove(huge.c_str());

    problems.clear();
    EXPECT_TRUE(loadKeyBindings("/tmp", problems).bound.empty()) << "a folder where the file should be";
    EXPECT_EQ(problems.size(), 1u);
}

}  // namespace
