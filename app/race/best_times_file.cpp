// times.json on disk: under a lock, written atomically, a damaged file
// moved aside.

#include "app/race/best_times_file.h"

#include "app/files/player_file.h"
#include "app/files/small_file.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>

std::string localDate()
{
    return localNow("%Y-%m-%d %H:%M");
}

RunRecorded recordRunTime(const std::string& path, const RunTime& run, WriteStepHook hook,
                          const WrittenAlongside& alongside)
{
    RunRecorded result;
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    FileLock lock = lockPlayerFile(path);
    if (lock.fd < 0) {
        result.problem = lock.problem;
        return result;
    }
    if (hook) hook(WriteStep::Locked);

    std::string text;
    std::vector<RunTime> runs;
    const SmallFile read = readSmallFile(path, largestTimesFile, text);
    // A damaged file that cannot be moved aside is left as it is: a new
    // one written over it would lose it.
    bool writable = true;
    if (read != SmallFile::Missing && (read != SmallFile::Read || !parseBestTimes(text, runs))) {
        const MovedAside moved = moveAside(path);
        writable = moved.moved;
        result.problem = moved.moved ? path + " could not be read as best times; kept as " + moved.aside +
                                           ", a new one started"
                                     : path + " could not be read as best times and cannot be moved aside: " +
                                           moved.problem + "; left as it is";
    }
    result.newBest = runs.empty() || run.milliseconds < runs.front().milliseconds;
    // After the runs of the same time, so an equal time is not a new best
    // and the older run keeps its place.
    runs.insert(std::upper_bound(runs.begin(), runs.end(), run,
                                 [](const RunTime& a, const RunTime& b) { return a.milliseconds < b.milliseconds; }),
                run);
    if (runs.size() > bestTimesKept) runs.resize(bestTimesKept);
    result.runs = runs;
    if (writable) {
        const std::string problem = writeAtomically(path, spellBestTimes(runs), hook);
        if (!problem.empty()) result.problem = problem;
    }
    if (alongside) {
        const std::string problem = alongside(result.newBest);
        if (!problem.empty()) result.problem += (result.problem.empty() ? "" : "; ") + problem;
    }
    unlockPlayerFile(lock);
    return result;
}
