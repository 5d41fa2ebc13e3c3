#pragma once
// The best five runs, with their dates, in times.json in the player's data
// folder. The file is untrusted on the way in and written so that a crash or
// a kill at any moment leaves either the old file or the new one whole.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "sim/game.h"

struct RunTime {
    int64_t milliseconds = 0;
    std::string date;  // local time, "YYYY-MM-DD HH:MM"

    bool operator==(const RunTime&) const = default;
};

constexpr size_t bestTimesKept = 5;
// The file holds five short lines; anything larger is not one of ours.
constexpr size_t largestTimesFile = 64 * 1024;

// "m:ss.cc", or "h:mm:ss.cc" for a run of an hour or more.
std::string formatRunTime(int64_t milliseconds);

// times.json's text. False when it is not a list of runs as this game writes
// them; `runs` is then left empty.
bool parseBestTimes(const std::string& text, std::vector<RunTime>& runs);
std::string spellBestTimes(const std::vector<RunTime>& runs);

// Each step of writing the file, in order: a test may end the process at
// any of them to see that nothing is lost.
enum class WriteStep { Locked, TempOpened, HalfWritten, Written, Synced, Closed, Renamed, FolderSynced };
using WriteStepHook = void (*)(WriteStep);

struct RunRecorded {
    bool newBest = false;         // faster than every run kept before it
    std::vector<RunTime> runs;    // the best five, fastest first, this run among them if it is
    std::string problem;          // one line for stderr, or empty
};

// Adds a run to the file at `path` (its folder made when missing), under a
// lock so that two games finishing at once both count. A damaged file is
// moved aside to `path`.damaged-<time> and a new one started.
// What a finished run writes besides its time, under the same lock, once it
// is known whether it is a new best: a problem line, or empty.
using WrittenAlongside = std::function<std::string(bool newBest)>;

RunRecorded recordRunTime(const std::string& path, const RunTime& run, WriteStepHook hook = nullptr,
                          const WrittenAlongside& alongside = {});

// The lock of the best-times file at `path`, held by every writer of it and
// of the files kept beside it: a descriptor to close, or -1 with `problem`.
int lockBestTimes(const std::string& path, std::string& problem);

// Where a damaged file of the player's is kept: `path`.damaged-<time>-<pid>.
std::string damagedAside(const std::string& path);

// Temporary file, sync, rename, the folder synced: a kill at any step leaves
// the old file or the new one whole. Empty, or the problem.
std::string writeAtomically(const std::string& path, const std::string& text, WriteStepHook hook = nullptr);

// The local time as a run's date is written.
std::string localDate();

// A run that reached the ring: the line the end screen shows with the timer
// on, "time m:ss.cc" with " - a new best!" when it is one, and the run kept
// among the best in the file at `timesPath`, unless that is empty (a watched
// script is no run of the player's), with what is written alongside it.
struct RunFinished {
    std::string line;
    bool newBest = false;
    std::string problem;  // one line for stderr, or empty
};
RunFinished finishRun(const Game& game, const std::string& timesPath, const WrittenAlongside& alongside = {});
