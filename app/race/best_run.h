#pragma once
// The best run, kept beside times.json in the player's data folder:
// best.replay, the run's script as --record writes it with its time and
// checkpoint ticks in comments at the top, and fastest-stretches.txt, the
// fastest each stretch of the course has been rolled in any run. Both are
// written under times.json's lock, as times.json is.

#include <cstdint>
#include <string>
#include <vector>

#include "app/race/best_times_file.h"
#include "app/race/ghost.h"
#include "app/script/run_script.h"
#include "app/race/splits.h"

std::string bestRunPath(const std::string& folder);
std::string fastestStretchesPath(const std::string& folder);

// best.replay's text.
std::string spellBestRun(const RunScript& run, const RunMarks& marks);

// The ghost of the best run. False with an empty `problem` when there is no
// best run yet; false with one line in `problem` when best.replay cannot be
// read as a run that reaches the ring: it is then moved aside as a damaged
// times.json is.
bool loadBestRun(const std::string& folder, Ghost& ghost, std::string& problem);

// The marks best.replay's comments give (its ring tick, the tick of each of
// its checkpoints), read without playing the run; false when there is none
// or they cannot be read. `checkpoints` 0: as many as the comment lists.
bool readBestRunMarks(const std::string& folder, size_t checkpoints, RunMarks& marks);

// fastest-stretches.txt's text, and back: false when it is not a line of
// `stretches` times as this game writes them.
std::string spellFastestStretches(const std::vector<int64_t>& fastest);
bool parseFastestStretches(const std::string& text, size_t stretches, std::vector<int64_t>& fastest);

struct FinishedRun {
    RunRecorded recorded;          // times.json's part: a new best or not, and any problem
    std::vector<int64_t> fastest;  // the fastest stretches with this run's taken in
};

// What a run that reached the ring writes beside its time, under times.json's
// lock: its script as best.replay when it is a new best, its stretches among
// the fastest (left in `fastest`), each file written atomically. `hook` is
// told every step.
WrittenAlongside keptBeside(const std::string& folder, const RunScript& script, const RunMarks& marks,
                            std::vector<int64_t>& fastest, WriteStepHook hook = nullptr);

// A run that reached the ring: its time in times.json, with all of that.
FinishedRun keepFinishedRun(const std::string& folder, const RunTime& time, const RunScript& script,
                            const RunMarks& marks, WriteStepHook hook = nullptr);

// The end of every run that reaches the ring, for the game, the page and the
// tests alike: the line the end screen shows with the timer on ("time
// m:ss.cc", with " - a new best!" when it is one), and the run kept with
// today's date through keepFinishedRun, unless `folder` is empty (a watched
// script is no run of the player's, and a player without a data folder
// keeps nothing).
struct RunFinished {
    std::string line;
    bool newBest = false;
    std::string problem;           // one line for stderr, or empty
    std::vector<int64_t> fastest;  // the fastest stretches with this run's taken in
};
RunFinished finishRun(const Game& game, const std::string& folder, const RunScript& script, const RunMarks& marks);
