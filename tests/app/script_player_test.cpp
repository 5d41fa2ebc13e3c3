// The one script player: where it stops for its caller, what it acts on by
// itself, and that a script fed line by line plays as the whole script does.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/script/script_player.h"

namespace {

std::vector<ScriptLine> linesOf(const std::string& text, ScriptFault* fault = nullptr)
{
    std::FILE* file = fmemopen(const_cast<char*>(text.data()), text.size(), "rb");
    std::vector<ScriptLine> lines;
    const ScriptFault found = readScript(file, lines);
    std::fclose(file);
    if (fault) *fault = found;
    return lines;
}

TEST(ScriptPlayer, StopsAtEachTickAndRequestWithItsLine)
{
    ScriptPlayer player;
    player.lines = linesOf("# a run\nspecial down UP\n\ntick 2\nblocks\nitems\nshot a.png\nwindow 800 600\n"
                           "mouse 600 300\nghost best.replay\nghostrows\nkey down 27\ntick\n");
    Game game = newScriptGame();
    Input input;
    input.mouseLookDisabled = false;
    const struct {
        ScriptStop stop;
        long long line;
    } expected[] = {
        {ScriptStop::Tick, 4}, {ScriptStop::Tick, 4}, {ScriptStop::Blocks, 5}, {ScriptStop::Items, 6},
        {ScriptStop::Shot, 7}, {ScriptStop::Ghost, 10}, {ScriptStop::GhostRows, 11}, {ScriptStop::Quit, 12},
    };
    for (const auto& e : expected) {
        const ScriptStep step = nextScriptStep(player, game, input);
        ASSERT_EQ(step.stop, e.stop) << "line " << e.line;
        ASSERT_NE(step.line, nullptr);
        EXPECT_EQ(step.line->number, e.line);
    }
    EXPECT_TRUE(input.controls.moveForward);
    EXPECT_FLOAT_EQ(game.camera.cameraYaw, 90.0f) << "the mouse in the script's 800x600 window";
    EXPECT_EQ(nextScriptStep(player, game, input).stop, ScriptStop::Quit) << "nothing after Esc is played";
    EXPECT_EQ(game.ticksPlayed, 0u) << "the player never advances the game itself";
}

// Fed one line at a time with the played lines let go, as the replay tool
// feeds it, a script plays tick for tick as the whole of it does.
TEST(ScriptPlayer, FedLineByLineItPlaysAsTheWholeScript)
{
    const std::string script =
        "special down UP\ntick 40\nkey down 13\ntick 3\nkey up 13\nspecial up UP\nspecial down LEFT shift\n"
        "key down 112\nmouse 700 500\ntick 25\nrestart\nspecial down RIGHT\ntick 30\n";
    ScriptPlayer whole;
    whole.lines = linesOf(script);
    Game wholeGame = newScriptGame();
    Input wholeInput;

    const std::vector<ScriptLine> all = linesOf(script);
    ScriptPlayer fed;
    Game fedGame = newScriptGame();
    Input fedInput;
    size_t given = 0;
    long long ticks = 0;
    for (;;) {
        ScriptStep step = nextScriptStep(fed, fedGame, fedInput);
        while (step.stop == ScriptStop::OutOfLines && given < all.size()) {
            forgetPlayedLines(fed);
            fed.lines.push_back(all[given++]);
            step = nextScriptStep(fed, fedGame, fedInput);
        }
        const ScriptStep wholeStep = nextScriptStep(whole, wholeGame, wholeInput);
        ASSERT_EQ(step.stop, wholeStep.stop) << "after " << ticks << " ticks";
        if (step.stop != ScriptStop::Tick) break;
        EXPECT_EQ(step.line->number, wholeStep.line->number);
        advanceTick(fedGame, fedInput.controls);
        advanceTick(wholeGame, wholeInput.controls);
        ASSERT_EQ(fedGame, wholeGame) << "tick " << ticks;
        ++ticks;
    }
    EXPECT_EQ(ticks, 98);
    EXPECT_LE(fed.lines.size(), 2u) << "the played lines are let go";
    EXPECT_TRUE(fedInput.controls.moveRight) << "the lines after the restart are played";
}

TEST(ScriptPlayer, ReadingStopsAtTheFirstBadLineAndKeepsTheLinesBefore)
{
    const struct {
        std::string text;
        size_t lines;
        long long badLine;
    } cases[] = {
        {"\xEF\xBB\xBFtick\r\nspecial down UP\r\n", 2, 0},
        {"tick\rtick 3\r\rkey down 13\r", 3, 0},
        {"tick\n# fine\n\nmouse 1 2 3\ntick\n", 1, 4},
        {"tick\ntick\rflap\n", 2, 3},
        {"", 0, 0},
    };
    for (const auto& c : cases) {
        ScriptFault fault;
        const std::vector<ScriptLine> lines = linesOf(c.text, &fault);
        EXPECT_EQ(lines.size(), c.lines) << c.text;
        EXPECT_EQ(fault.number, c.badLine) << c.text;
        EXPECT_EQ(fault.problem.empty(), c.badLine == 0) << c.text << fault.problem;
    }
    std::vector<ScriptLine> none;
    EXPECT_NE(readScriptFile("/nonexistent/run.replay", none).problem, "");
    EXPECT_TRUE(none.empty());
}

}  // namespace
