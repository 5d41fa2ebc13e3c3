#pragma once
// A race against the best run: the ghost beside the player's game, and what
// the player's run has done so far that the splits and the best run need.
// The caller tells it each tick that ran and each restart; it never changes
// the player's game.

#include <optional>
#include <vector>

#include "app/race/best_run.h"
#include "app/race/ghost.h"
#include "app/script/run_script.h"
#include "app/race/splits.h"
#include "sim/game.h"

struct Race {
    std::optional<Ghost> ghost;  // none without a best run or a --ghost file
    bool ghostFromFile = false;  // --ghost: that script is raced, whatever the best run is
    RunMarks marks;              // the player's run
    RunScript script;            // the player's run, as --record would write it
    std::vector<SplitLine> endLines;  // for the end picture, once the ring is reached
};

Race startRace(std::optional<Ghost> ghost, bool ghostFromFile, const Course& course);

// The ghost to race: the script at `ghostPath` (--ghost, looked for as
// --watch looks), or else the best run in the player's data folder `folder`
// (none when empty), which a
// watched script never races. None, with one line in `problem` when a file
// is not a run, when there is nothing to race.
std::optional<Ghost> loadRaceGhost(const std::string& ghostPath, bool watching, const std::string& folder,
                                  std::string& problem);

// Backspace: the ghost and the marks from the start again. (The run's script
// starts again with the restart line noted in it.)
void restartRace(Race& race);

// After a tick of the player's game that ran: its marks noted, and the
// ghost's tick. The first tick of a run (a watched script's restart among
// them) starts the ghost from the start too. No allocation.
void raceTick(Race& race, const Game& game);

// The ghost's ball when there is one to show.
const Ball* ghostBall(const Race& race, bool shown);

// The split shown now, if any, against the ghost's run.
std::optional<SplitLine> raceSplit(const Race& race, const Game& game);

// The ring reached and the run kept: the end picture's lines (the final
// difference to the run raced, what the fastest stretches add up to). A new
// best becomes the ghost of the runs after it, unless a --ghost file is
// raced.
void finishRace(Race& race, bool newBest, const std::vector<int64_t>& fastest);
