#pragma once
// Split times: where a run stands against the best run at each checkpoint
// and at the ring, and the fastest each stretch of the course has ever been
// rolled. Marks are ticks of game time, so a split is exact and the same on
// every machine.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/game.h"

// When a run reached each checkpoint (in the course's order) and the ring:
// its game time in ticks then, 0 while not reached.
struct RunMarks {
    std::vector<int32_t> checkpointTicks;
    int32_t ringTick = 0;

    bool operator==(const RunMarks&) const = default;
};

// No mark reached yet, one place for each checkpoint of the course.
RunMarks startMarks(const Course& course);

// After a tick: the checkpoints taken and the ring reached in it, noted.
// Returns the mark reached (a checkpoint's index, or the number of
// checkpoints for the ring), or -1 for none. No allocation.
int noteMarks(RunMarks& marks, const Game& game);

// The tick of mark `which` as noteMarks numbers them; 0 when not reached.
int32_t markTick(const RunMarks& marks, int which);

enum class SplitLook { Plain, Ahead, Behind };

struct Split {
    bool compared = false;     // the best run reached this mark too
    int64_t differenceMs = 0;  // this run's time minus the best run's: below 0 is ahead
    SplitLook look = SplitLook::Plain;
};

// The run at `runTick` against the best run at `bestTick` (0: the best run
// never got there).
Split splitAt(int32_t runTick, int32_t bestTick);

// "-1.25", "+0.50", "0.00".
std::string spellDifference(int64_t differenceMs);

// A line of the overlay with its colour.
struct SplitLine {
    std::string text;
    SplitLook look = SplitLook::Plain;

    bool operator==(const SplitLine&) const = default;
};

// How long a split stays up after its mark, in ticks of game time.
constexpr int32_t splitShownTicks = 120;

// The split of the latest mark of the run while it is shown (always, once
// the ring is reached): "checkpoint 2   1:23.45   -1.25", against `best`
// when there is a best run. Nothing when no mark is recent.
std::optional<SplitLine> currentSplit(const RunMarks& run, const RunMarks* best, int32_t nowTick);

// The length of each stretch of a run (start to checkpoint 1, ..., the last
// checkpoint to the ring) in milliseconds; 0 where the run does not tell
// (a checkpoint passed by, or taken out of the course's order).
std::vector<int64_t> stretchTimes(const RunMarks& run);

// The fastest of each stretch so far with this run's stretches taken in.
// `best` is sized to the run's stretches when it is not already.
void keepFastestStretches(std::vector<int64_t>& best, const RunMarks& run);

// The sum of the fastest stretches: the time the player could reach. 0 while
// some stretch has no time yet.
int64_t sumOfFastest(const std::vector<int64_t>& best);
