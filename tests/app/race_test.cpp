// A race: the player finishes twice and races the first run on the second,
// the ghost tick for tick beside the ball and the splits at each checkpoint.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/race/race.h"
#include "app/front/frame_input.h"
#include "tests/app/ghost_scripts.h"

namespace {

struct Folder {
    std::filesystem::path path;
    Folder()
    {
        char name[] = "/tmp/skycourse-race-XXXXXX";
        path = mkdtemp(name);
    }
    ~Folder() { std::filesystem::remove_all(path); }
};

std::vector<ScriptCommand> route()
{
    return commandsOf(routeGhost().script.lines);
}

// The player's side of the race, driven by a script as by the keys.
struct Player {
    Game game = newGame(77);  // the player's own seed: the ghost plays from the script's
    Input input;
    Race race;
    std::vector<std::optional<SplitLine>> splits;  // the split shown after each tick
    int ghostOnTheBall = 0;                        // ticks the ghost's ball was the player's

    void play(const std::vector<ScriptCommand>& commands)
    {
        ScriptScreen screen;
        for (const ScriptCommand& command : commands) {
            if (command.kind != ScriptKind::Tick) {
                applyScriptInput(command, input, game.camera, screen);
                noteRunInput(race.script, command);
                continue;
            }
            for (int i = 0; i < command.a && advanceTick(game, input.controls); ++i) {
                noteRunTick(race.script);
                raceTick(race, game);
                splits.push_back(raceSplit(race, game));
                const Ball* ghost = ghostBall(race, true);
                ghostOnTheBall += ghost && *ghost == game.ball;
            }
        }
    }
};

TEST(Race, TheFirstFinishedRunIsTheGhostOfTheSecondWithItsSplits)
{
    const std::vector<ScriptCommand> commands = route();
    Folder folder;
    Player player;
    player.race = startRace(std::nullopt, false, *player.game.course);
    EXPECT_EQ(ghostBall(player.race, true), nullptr);
    player.play(commands);
    ASSERT_EQ(player.game.gameState, EndScreen);
    EXPECT_EQ(player.race.marks.ringTick, 9398);
    EXPECT_EQ(player.splits[100], std::nullopt);
    EXPECT_EQ(player.splits.back(), (SplitLine{"ring   3:54.95", SplitLook::Plain})) << "no best run to race yet";

    const FinishedRun kept = keepFinishedRun(folder.path.string(), {234950, "a"}, player.race.script,
                                             player.race.marks);
    ASSERT_TRUE(kept.recorded.newBest) << kept.recorded.problem;
    finishRace(player.race, kept.recorded.newBest, kept.fastest);
    ASSERT_TRUE(player.race.ghost);
    EXPECT_EQ(player.race.endLines, (std::vector<SplitLine>{{"the fastest stretches add up to 3:54.95"}}));

    // Backspace, and the same run again: the ghost is on the ball all the
    // way (the player's own seed changes nothing of the ball), and a second
    // later at every checkpoint than the marks of its run say.
    player.game = newGame(77);
    player.input = Input{};
    noteRunInput(player.race.script, {ScriptKind::Restart, 0, 0, {}});
    restartRace(player.race);
    EXPECT_TRUE(player.race.endLines.empty());
    for (int32_t& tick : player.race.ghost->marks.checkpointTicks) tick += 40;
    player.splits.clear();
    player.play(commands);
    EXPECT_EQ(player.ghostOnTheBall, 9398) << "the ghost is the first run, tick for tick";
    int shown = 0;
    for (int which = 0; which < 3; ++which) {
        const size_t at = size_t(player.race.marks.checkpointTicks[size_t(which)] - 1);
        ASSERT_TRUE(player.splits[at]);
        EXPECT_EQ(player.splits[at]->look, SplitLook::Ahead);
        EXPECT_NE(player.splits[at]->text.find("checkpoint " + std::to_string(which + 1)), std::string::npos);
        EXPECT_NE(player.splits[at]->text.find("-1.00"), std::string::npos) << player.splits[at]->text;
        shown += player.splits[at + splitShownTicks - 1].has_value() && !player.splits[at + splitShownTicks];
    }
    EXPECT_EQ(shown, 3) << "each split is up for three seconds";

    const FinishedRun again = keepFinishedRun(folder.path.string(), {234950, "b"}, player.race.script,
                                              player.race.marks);
    EXPECT_FALSE(again.recorded.newBest) << "an equal time is no new best";
    const Ghost* raced = &*player.race.ghost;
    finishRace(player.race, again.recorded.newBest, again.fastest);
    EXPECT_EQ(&*player.race.ghost, raced) << "the best run is still the ghost";
    ASSERT_FALSE(player.race.endLines.empty());
    EXPECT_EQ(player.race.endLines[0], (SplitLine{"0.00 against the best run", SplitLook::Plain}));
}

TEST(Race, AGhostFileIsRacedWhateverTheBestRunAndStartsAgainWithEachRun)
{
    const std::vector<ScriptLine> lines = scriptLines("special down UP\ntick 500\n");
    Player player;
    player.race = startRace(ghostOf(lines), true, *player.game.course);
    player.play({{ScriptKind::SpecialDown, 0x65, 0, {}}, {ScriptKind::Tick, 30, 0, {}}});
    EXPECT_EQ(player.race.ghost->game.ticksPlayed, 30);
    // A watched script's restart: the player's game is at its first tick
    // again, and so is the ghost.
    player.game = newGame(77);
    player.play({{ScriptKind::Tick, 1, 0, {}}});
    EXPECT_EQ(player.race.ghost->game.ticksPlayed, 1);

    finishRace(player.race, true, {});
    EXPECT_EQ(player.race.ghost->script.lines.size(), lines.size()) << "a --ghost file is never replaced";
}

// What a frame is given: the ghost's ball while it is shown, the split
// under the timer in its colour, the end lines under the run's time.
TEST(Race, TheFrameShowsTheGhostAndTheSplitsInTheirColours)
{
    const std::vector<ScriptCommand> commands = commandsOf(scriptLines("special down UP\ntick 500\n"));
    Play play = startPlay(newScriptGame());
    Race race = startRace(ghostOfRun(commands, {{100, 200, 300}, 400}), false, *play.game.course);

    EXPECT_EQ(frameInputOf(play, &race, 640, 512, "").ghost, &race.ghost->game.ball);
    EXPECT_TRUE(frameInputOf(play, &race, 640, 512, "").overlay.empty()) << "the timer is off";
    play.ghostShown = false;
    EXPECT_EQ(frameInputOf(play, &race, 640, 512, "").ghost, nullptr);

    play.timerShown = true;
    play.game.ticksPlayed = 90;
    play.game.courseState.checkpoints[0].taken = true;
    raceTick(race, play.game);
    FrameInput input = frameInputOf(play, &race, 640, 512, "");
    ASSERT_EQ(input.overlay.size(), 1u);
    ASSERT_EQ(input.overlay[0].lines.size(), 2u);
    EXPECT_EQ(input.overlay[0].lines[1].text, "checkpoint 1   0:02.25   -0.25");
    EXPECT_GT(input.overlay[0].lines[1].colour[1], input.overlay[0].lines[1].colour[0]) << "green: ahead";

    race.marks.checkpointTicks[1] = 230;
    play.game.ticksPlayed = 230;
    input = frameInputOf(play, &race, 640, 512, "");
    EXPECT_EQ(input.overlay[0].lines[1].text, "checkpoint 2   0:05.75   +0.75");
    EXPECT_GT(input.overlay[0].lines[1].colour[0], input.overlay[0].lines[1].colour[1]) << "red: behind";

    play.game.gameState = EndScreen;
    race.endLines = {{"-1.25 against the best run", SplitLook::Ahead}, {"the fastest stretches add up to 0:09.00"}};
    input = frameInputOf(play, &race, 640, 512, "time 0:10.00");
    ASSERT_EQ(input.overlay.size(), 1u);
    ASSERT_EQ(input.overlay[0].lines.size(), 3u);
    EXPECT_EQ(input.overlay[0].lines[0].text, "time 0:10.00");
    EXPECT_EQ(input.overlay[0].lines[1].text, "-1.25 against the best run");
    EXPECT_EQ(input.overlay[0].lines[2].colour[2], 1.0f) << "white";
}

}  // namespace
