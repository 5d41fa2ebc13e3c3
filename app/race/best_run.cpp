#include "app/race/best_run.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <utility>

#include "app/files/player_file.h"
#include "app/files/small_file.h"
#include "sim/timing.h"

namespace {

// A line of a few numbers under two comment lines.
constexpr size_t largestStretchesFile = 4096;

std::string tickList(const RunMarks& marks)
{
    std::string list;
    for (int32_t tick : marks.checkpointTicks) list += " " + (tick > 0 ? std::to_string(tick) : std::string("-"));
    return list;
}

// The fastest stretches as the file has them, or none when it is missing;
// a damaged file is moved aside and counts as none.
std::vector<int64_t> readFastestStretches(const std::string& path, size_t stretches, std::string& problem)
{
    std::string text;
    std::vector<int64_t> fastest;
    const SmallFile read = readSmallFile(path, largestStretchesFile, text);
    if (read == SmallFile::Missing) return fastest;
    if (read != SmallFile::Read || !parseFastestStretches(text, stretches, fastest)) {
        problem = path + " could not be read as the fastest stretches; " + describe(moveAside(path)) + ", a new one started";
        fastest.clear();
    }
    return fastest;
}

}  // namespace

std::string bestRunPath(const std::string& folder)
{
    return folder + "/best.replay";
}

std::string fastestStretchesPath(const std::string& folder)
{
    return folder + "/fastest-stretches.txt";
}

std::string spellBestRun(const RunScript& run, const RunMarks& marks)
{
    const std::string time = formatRunTime(ticksToMilliseconds(marks.ringTick));
    return "# skycourse: the best run, " + time + " (" + std::to_string(marks.ringTick) + " ticks)\n" +
           "# checkpoints at ticks" + tickList(marks) + "\n" + spellRunScript(run);
}

bool loadBestRun(const std::string& folder, Ghost& ghost, std::string& problem)
{
    problem.clear();
    const std::string path = bestRunPath(folder);
    bool missing = false;
    std::string text;
    Ghost loaded;
    problem = loadGhost(path, loaded, missing, &text);
    if (missing) {
        problem.clear();
        return false;
    }
    if (problem.empty() && loaded.marks.ringTick == 0) problem = path + " holds no run that reaches the ring";
    if (problem.empty()) {
        ghost = std::move(loaded);
        return true;
    }
    // Moved aside under the lock, and only while it is still the file just
    // read: never one another game has written whole meanwhile.
    FileLock lock = lockPlayerFile(bestTimesPath(folder));
    if (lock.fd < 0) {
        problem += "; left as it is (" + lock.problem + ")";
        return false;
    }
    std::string now;
    const bool same = readSmallFile(path, largestGhostScript, now) != SmallFile::Missing && now == text;
    problem += "; " + (same ? describe(moveAside(path)) : std::string("written again meanwhile, left as it is"));
    unlockPlayerFile(lock);
    return false;
}

bool readBestRunMarks(const std::string& folder, size_t checkpoints, RunMarks& marks)
{
    std::string text;
    if (readSmallFile(bestRunPath(folder), largestGhostScript, text) != SmallFile::Read) return false;
    std::istringstream lines(text);
    std::string first, second;
    std::getline(lines, first);
    std::getline(lines, second);
    const size_t open = first.rfind('(');
    const std::string ticksAt = "# checkpoints at ticks";
    if (open == std::string::npos || second.compare(0, ticksAt.size(), ticksAt) != 0) return false;
    RunMarks read;
    read.ringTick = std::atoi(first.c_str() + open + 1);
    std::istringstream ticks(second.substr(ticksAt.size()));
    for (std::string word; ticks >> word;) read.checkpointTicks.push_back(word == "-" ? 0 : std::atoi(word.c_str()));
    if (read.ringTick <= 0 || (checkpoints > 0 && read.checkpointTicks.size() != checkpoints)) return false;
    marks = std::move(read);
    return true;
}

std::string spellFastestStretches(const std::vector<int64_t>& fastest)
{
    std::string text =
        "# the fastest each stretch of the course has been rolled, in milliseconds: the start to\n"
        "# checkpoint 1, each checkpoint to the next, the last to the ring (0: not yet)\n";
    for (size_t i = 0; i < fastest.size(); ++i) text += (i == 0 ? "" : " ") + std::to_string(fastest[i]);
    return text + "\n";
}

bool parseFastestStretches(const std::string& text, size_t stretches, std::vector<int64_t>& fastest)
{
    fastest.clear();
    std::istringstream lines(text);
    std::vector<int64_t> read;
    bool seen = false;
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] == '#') continue;
        if (seen) return false;
        seen = true;
        std::istringstream numbers(line);
        for (std::string word; numbers >> word;) {
            if (word.size() > 15 || word.find_first_not_of("0123456789") != std::string::npos) return false;
            const int64_t value = std::stoll(word);
            if (value > longestKeptMilliseconds) return false;
            read.push_back(value);
        }
    }
    if (read.size() != stretches) return false;
    fastest = std::move(read);
    return true;
}

WrittenAlongside keptBeside(const std::string& folder, const RunScript& script, const RunMarks& marks,
                            std::vector<int64_t>& fastest, WriteStepHook hook)
{
    return [&folder, &script, &marks, &fastest, hook](bool newBest) {
        std::string problem;
        if (newBest) problem = writeAtomically(bestRunPath(folder), spellBestRun(script, marks), hook);
        const std::string stretchesAt = fastestStretchesPath(folder);
        std::string damaged;
        fastest = readFastestStretches(stretchesAt, marks.checkpointTicks.size() + 1, damaged);
        keepFastestStretches(fastest, marks);
        const std::string written = writeAtomically(stretchesAt, spellFastestStretches(fastest), hook);
        for (const std::string* more : {&std::as_const(damaged), &written}) {
            if (!more->empty()) problem += (problem.empty() ? "" : "; ") + *more;
        }
        return problem;
    };
}

FinishedRun keepFinishedRun(const std::string& folder, const RunTime& time, const RunScript& script,
                            const RunMarks& marks, WriteStepHook hook)
{
    FinishedRun finished;
    finished.recorded =
        recordRunTime(bestTimesPath(folder), time, hook, keptBeside(folder, script, marks, finished.fastest, hook));
    return finished;
}

RunFinished finishRun(const Game& game, const std::string& folder, const RunScript& script, const RunMarks& marks)
{
    RunFinished finished;
    const int64_t milliseconds = ticksToMilliseconds(game.ticksPlayed);
    finished.line = "time " + formatRunTime(milliseconds);
    if (folder.empty()) return finished;
    FinishedRun kept = keepFinishedRun(folder, {milliseconds, localDate()}, script, marks);
    finished.problem = kept.recorded.problem;
    finished.newBest = kept.recorded.newBest;
    finished.fastest = std::move(kept.fastest);
    if (finished.newBest) finished.line += " - a new best!";
    return finished;
}
