// --watch: the script read whole before any window, then handed out one
// tick at a time with the input that comes before it.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "app/script/watching.h"

namespace {

std::string scriptFile(const std::string& text)
{
    char name[] = "/tmp/skycourse-watch-XXXXXX";
    const int fd = mkstemp(name);
    if (fd >= 0) close(fd);
    std::ofstream(name) << text;
    return name;
}

struct Watched {
    ScriptPlayer watch;
    Input input;
    Game game = newScriptGame();
    Camera& camera = game.camera;
    std::string problem;

    explicit Watched(const std::string& text)
    {
        const std::string path = scriptFile(text);
        problem = loadWatch(watch, path);
        std::remove(path.c_str());
    }
    bool tick() { return nextWatchedTick(watch, input, game); }
};

TEST(Watching, EachTickComesAfterTheInputBeforeIt)
{
    Watched w("# a run\nspecial down UP\ntick 2\nblocks\nitems\nshot x.png\ntick 0\n"
              "special up UP\nkey down 112\nwindow 800 600\nmouse 600 300\ntick\n\nspecial down LEFT shift\n");
    ASSERT_EQ(w.problem, "");
    EXPECT_TRUE(w.tick());
    EXPECT_TRUE(w.input.controls.moveForward);
    EXPECT_TRUE(w.tick());
    EXPECT_TRUE(w.input.controls.moveForward) << "the release comes after the second tick";
    EXPECT_TRUE(w.tick());
    EXPECT_FALSE(w.input.controls.moveForward);
    EXPECT_FLOAT_EQ(w.camera.cameraYaw, 90.0f) << "the mouse in the script's 800x600 window";
    EXPECT_FALSE(w.tick()) << "the script is over";
    EXPECT_EQ(w.camera.viewQuadrant, 3) << "the input after the last tick is still acted on";
    EXPECT_FALSE(w.tick());
}

TEST(Watching, ARestartLineGivesBackTheScriptsStartingGameAndInput)
{
    Watched w("special down UP\nkey down 99\ntick 30\nrestart\ntick\n");
    ASSERT_EQ(w.problem, "");
    for (int i = 0; i < 30; ++i) {
        ASSERT_TRUE(w.tick());
        advanceTick(w.game, w.input.controls);
    }
    EXPECT_NE(w.game, newScriptGame());
    EXPECT_TRUE(w.tick());
    EXPECT_EQ(w.game, newScriptGame()) << "the ball, the view and the game time are back at the start";
    EXPECT_FALSE(w.input.controls.moveForward) << "no key is held after a restart";
}

TEST(Watching, TheScriptsEscEndsIt)
{
    Watched w("tick\nkey down 27\nspecial down UP\ntick 5\n");
    ASSERT_EQ(w.problem, "");
    EXPECT_TRUE(w.tick());
    EXPECT_FALSE(w.tick());
    EXPECT_FALSE(w.input.controls.moveForward);
}

TEST(Watching, ALineThatDoesNotParseIsNamedAsTheReplayToolNamesIt)
{
    Watched w("tick\n\nmouse 1 2 3\ntick\n");
    EXPECT_NE(w.problem.find(": line 3: expected: mouse <x> <y>"), std::string::npos) << w.problem;
    EXPECT_EQ(w.problem.rfind("skycourse: /tmp/skycourse-watch-", 0), 0u) << w.problem;
    EXPECT_FALSE(w.tick()) << "nothing of a bad script is played";

    ScriptPlayer missing;
    EXPECT_NE(loadWatch(missing, "/nonexistent/run.replay").find("cannot read /nonexistent/run.replay"),
              std::string::npos);
}

// The game reads a script as the replay tool does, however an editor ended
// its lines.
TEST(Watching, ScriptsSavedWithAByteOrderMarkOrCarriageReturnsPlay)
{
    const std::string lines[] = {
        "\xEF\xBB\xBFspecial down UP\r\ntick 2\r\nspecial up UP\r\nspecial down LEFT shift\r\n",
        "\xEF\xBB\xBFspecial down UP\rtick 2\rspecial up UP\rspecial down LEFT shift\r",
        "special down UP\rtick 2\r\nspecial up UP\nspecial down LEFT shift",
    };
    for (const std::string& text : lines) {
        Watched w(text);
        ASSERT_EQ(w.problem, "") << text;
        EXPECT_TRUE(w.tick());
        EXPECT_TRUE(w.tick());
        EXPECT_TRUE(w.input.controls.moveForward);
        EXPECT_FALSE(w.tick());
        EXPECT_FALSE(w.input.controls.moveForward) << text;
        EXPECT_EQ(w.camera.viewQuadrant, 3) << text;
    }
}

}  // namespace
