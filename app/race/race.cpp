#include "app/race/race.h"

#include <algorithm>
#include <utility>

#include "app/files/player_files.h"

Race startRace(std::optional<Ghost> ghost, bool ghostFromFile, const Course& course)
{
    Race race;
    race.ghost = std::move(ghost);
    race.ghostFromFile = ghostFromFile && race.ghost;
    race.marks = startMarks(course);
    return race;
}

std::optional<Ghost> loadRaceGhost(const std::string& ghostPath, bool watching, const std::string& folder,
                                  std::string& problem)
{
    problem.clear();
    Ghost ghost;
    if (!ghostPath.empty()) {
        bool missing = false;
        problem = loadGhost(watchPath(ghostPath), ghost, missing);
        if (problem.empty()) return ghost;
    } else if (!watching && !folder.empty()) {
        if (loadBestRun(folder, ghost, problem)) return ghost;
    }
    return std::nullopt;
}

namespace {

void clearMarks(Race& race)
{
    std::fill(race.marks.checkpointTicks.begin(), race.marks.checkpointTicks.end(), 0);
    race.marks.ringTick = 0;
    race.endLines.clear();
}

}  // namespace

void restartRace(Race& race)
{
    if (race.ghost) restartGhost(*race.ghost);
    clearMarks(race);
}

void raceTick(Race& race, const Game& game)
{
    if (game.ticksPlayed == 1) clearMarks(race);
    noteMarks(race.marks, game);
    if (race.ghost) advanceGhostBeside(*race.ghost, game);
}

const Ball* ghostBall(const Race& race, bool shown)
{
    return shown && race.ghost ? &race.ghost->game.ball : nullptr;
}

std::optional<SplitLine> raceSplit(const Race& race, const Game& game)
{
    return currentSplit(race.marks, race.ghost ? &race.ghost->marks : nullptr, game.ticksPlayed);
}

void finishRace(Race& race, bool newBest, const std::vector<int64_t>& fastest)
{
    race.endLines.clear();
    const int ring = int(race.marks.checkpointTicks.size());
    if (race.ghost) {
        const Split split = splitAt(race.marks.ringTick, markTick(race.ghost->marks, ring));
        if (split.compared) {
            const char* raced = race.ghostFromFile ? " against the ghost" : " against the best run";
            race.endLines.push_back({spellDifference(split.differenceMs) + raced, split.look});
        }
    }
    if (const int64_t sum = sumOfFastest(fastest); sum > 0) {
        race.endLines.push_back({"the fastest stretches add up to " + formatRunTime(sum)});
    }
    if (newBest && !race.ghostFromFile) {
        race.ghost = ghostOfRun(race.script.commands, race.marks);
    }
}
