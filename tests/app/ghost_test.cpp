// The ghost: a second game moved on with the player's, tick for tick, to
// exactly the rows the replay tool prints for its script; back to its start
// on a restart, still once its script is over; and read as untrusted.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "app/race/ghost.h"
#include "app/script/rows.h"
#include "tests/app/ghost_scripts.h"
#include "tests/tools/replay_run.h"

namespace {

std::string scriptFile(const std::string& text)
{
    const std::string path = replaytool::scratchFile("ghost");
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

// The ghost's rows for as many ticks as the tool printed, the header first.
void expectToolsRows(Ghost ghost, const replaytool::Outcome& tool)
{
    ASSERT_EQ(tool.status, 0) << tool.err;
    ASSERT_GT(tool.rows.size(), 1u);
    EXPECT_EQ(tool.rows[0], rowHeader);
    long long tick = 0;
    for (const std::string& toolRow : tool.rows) {
        // The tick rows only, not the header nor an `items` line's rows.
        if (replaytool::fields(toolRow).size() != 17 || toolRow[0] == 't') continue;
        advanceGhost(ghost);
        ASSERT_EQ(formatRow(++tick, ghost.game), toolRow + "\n") << "tick " << tick;
    }
    EXPECT_GT(tick, 50);
}

TEST(Ghost, ItsBallIsTheReplayToolsBallTickByTickOverTheWholeRoute)
{
    Ghost ghost;
    bool missing = true;
    ASSERT_EQ(loadGhost(ROUTE_PATH, ghost, missing), "");
    EXPECT_FALSE(missing);
    expectToolsRows(ghost, replaytool::runFile(ROUTE_PATH));
}

TEST(Ghost, AScriptMadeInAWindowOfAnotherSizeTurnsTheViewAsInTheTool)
{
    // Mouse look on, mouse lines in a 640x512 window, then a resize; a
    // restart and a byte-order mark with CR line ends on the way.
    const std::string script =
        "\xEF\xBB\xBFkey down 112\r\nwindow 640 512\r\nmouse 400 200\r\nspecial down UP\r\ntick 40\r"
        "mouse 250 300\rtick 10\nrestart\nkey down 112\nwindow 1600 1200\nmouse 900 500\nspecial down UP\n"
        "tick 30\nspecial down LEFT shift\ntick 5\n";
    const std::string path = scriptFile(script);
    Ghost ghost;
    bool missing = true;
    ASSERT_EQ(loadGhost(path, ghost, missing), "");
    expectToolsRows(ghost, replaytool::runFile(path));
    std::remove(path.c_str());
}

TEST(Ghost, ARestartBeginsItAgainAndAnEndedScriptHoldsItsLastPlace)
{
    Ghost ghost = ghostOfText("special down UP\ntick 30\nkey down 13\ntick 20\n");
    std::vector<Game> first;
    for (int i = 0; i < 50; ++i) {
        advanceGhost(ghost);
        first.push_back(ghost.game);
    }
    ASSERT_NE(first[10].ball.position, first[40].ball.position) << "the ghost rolls";

    restartGhost(ghost);
    EXPECT_EQ(ghost.game, newScriptGame());
    EXPECT_EQ(ghost.input.controls, Controls{}) << "nothing held from before the restart";
    for (size_t i = 0; i < first.size(); ++i) {
        advanceGhost(ghost);
        ASSERT_EQ(ghost.game, first[i]) << "tick " << i + 1 << " after the restart";
    }
    for (int i = 0; i < 200; ++i) advanceGhost(ghost);
    EXPECT_EQ(ghost.game.ticksPlayed, 50) << "no tick after the script's last";
    EXPECT_EQ(ghost.game.ball, first.back().ball) << "the ghost stays where its run ended";
}

// Raced beside a player, the ghost starts again from the player's seed and
// then comes out, pulses and all, as the same ghost moved on alone: taking
// the player's pulses changes nothing. A restart of the player's keeps it so.
TEST(Ghost, BesideAPlayerItTakesThePlayersSeedAndComesOutAsAlone)
{
    Game player = newGame(77);
    Ghost beside = routeGhost();
    Ghost alone = routeGhost();
    alone.game.seed = 77;
    restartGhost(alone);
    Controls keys;
    keys.moveForward = true;
    for (int i = 0; i < 700; ++i) {
        if (i == 400) player = newGame(77);
        advanceTick(player, keys);
        advanceGhostBeside(beside, player);
        if (i == 400) restartGhost(alone);
        advanceGhost(alone);
        ASSERT_TRUE(beside.game == alone.game) << "tick " << i;
    }
    EXPECT_EQ(beside.game.seed, 77u);
}

TEST(Ghost, TheMarksOfItsRunAreKnownBeforeTheRace)
{
    Ghost route;
    bool missing = false;
    ASSERT_EQ(loadGhost(ROUTE_PATH, route, missing), "");
    EXPECT_EQ(route.marks.ringTick, 9398);
    ASSERT_EQ(route.marks.checkpointTicks.size(), 3u);
    int32_t before = 0;
    for (int32_t tick : route.marks.checkpointTicks) {
        EXPECT_GT(tick, before) << "the route takes the checkpoints in order";
        before = tick;
    }
    EXPECT_EQ(route.game, newScriptGame()) << "and the ghost waits at the start";

    // The run after a restart is the ghost's: the first run's marks go.
    RunMarks none = startMarks(*route.game.course);
    EXPECT_EQ(ghostOfText("special down UP\ntick 20\nrestart\ntick 5\n").marks, none);
}

TEST(Ghost, AFileThatIsNoScriptIsNamedInOneLine)
{
    struct Case {
        std::string text;
        const char* says;
    };
    const Case cases[] = {
        {"special down UP\ntick 3\nfly away\n", ": line 3: unknown command 'fly'"},
        {"tick -1\n", ": line 1: expected: tick [N]"},
        {"fly\x1b[31m\n", "unknown command 'fly\\x1b[31m'"},
        {std::string(largestGhostScript + 1, '#'), " is too large for a run (more than 8 MB)"},
    };
    for (const Case& c : cases) {
        const std::string path = scriptFile(c.text);
        Ghost ghost = ghostOfText("tick 7\n");
        bool missing = true;
        const std::string problem = loadGhost(path, ghost, missing);
        EXPECT_EQ(problem.rfind(path, 0), 0u) << problem;
        EXPECT_NE(problem.find(c.says), std::string::npos) << problem;
        EXPECT_EQ(problem.find('\n'), std::string::npos);
        EXPECT_EQ(problem.find('\x1b'), std::string::npos);
        EXPECT_FALSE(missing);
        EXPECT_EQ(ghost.marks.checkpointTicks.size(), 3u) << "the ghost before is left as it was";
        std::remove(path.c_str());
    }
    Ghost ghost;
    bool missing = false;
    EXPECT_NE(loadGhost("/nonexistent/best.replay", ghost, missing), "");
    EXPECT_TRUE(missing);
}

}  // namespace
