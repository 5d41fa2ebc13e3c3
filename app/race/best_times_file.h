#pragma once
// times.json on disk: a run added under a lock, written atomically, a
// damaged file moved aside, and what is kept beside it written under the
// same lock.

#include <functional>
#include <string>
#include <vector>

#include "app/files/player_file.h"
#include "app/race/best_times.h"

struct RunRecorded {
    bool newBest = false;         // faster than every run kept before it
    std::vector<RunTime> runs;    // the best five, fastest first, this run among them if it is
    std::string problem;          // one line for stderr, or empty
};

// What a finished run writes besides its time, under the same lock, once it
// is known whether it is a new best: a problem line, or empty.
using WrittenAlongside = std::function<std::string(bool newBest)>;

// Adds a run to the file at `path` (its folder made when missing), under a
// lock so that two games finishing at once both count. A damaged file is
// moved aside to `path`.damaged-<time> and a new one started.
RunRecorded recordRunTime(const std::string& path, const RunTime& run, WriteStepHook hook = nullptr,
                          const WrittenAlongside& alongside = {});

// The local time as a run's date is written.
std::string localDate();
