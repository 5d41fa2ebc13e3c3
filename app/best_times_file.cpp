// times.json on disk: under a lock, written atomically, a damaged file
// moved aside.

#include "app/best_times.h"

#include "app/small_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>

namespace {

// The local time now in the given strftime format.
std::string localNow(const char* format)
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, format, &local);
    return text;
}

void step(WriteStepHook hook, WriteStep at)
{
    if (hook) hook(at);
}

bool writeAll(int fd, const char* data, size_t size)
{
    while (size > 0) {
        const ssize_t wrote = write(fd, data, size);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) return false;
        data += wrote;
        size -= size_t(wrote);
    }
    return true;
}

}  // namespace

// Temporary file, fsync, rename, then the folder's entry made lasting.
std::string writeAtomically(const std::string& path, const std::string& text, WriteStepHook hook)
{
    std::string temp = path + ".XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0) return "cannot write " + temp + ": " + std::strerror(errno);
    step(hook, WriteStep::TempOpened);
    const size_t half = text.size() / 2;
    bool ok = writeAll(fd, text.data(), half);
    step(hook, WriteStep::HalfWritten);
    ok = ok && writeAll(fd, text.data() + half, text.size() - half);
    step(hook, WriteStep::Written);
    ok = ok && fsync(fd) == 0;
    step(hook, WriteStep::Synced);
    ok = close(fd) == 0 && ok;
    step(hook, WriteStep::Closed);
    if (!ok || std::rename(temp.c_str(), path.c_str()) != 0) {
        const std::string problem = "cannot write " + path + ": " + std::strerror(errno);
        unlink(temp.c_str());
        return problem;
    }
    step(hook, WriteStep::Renamed);
    const int folder = open(std::filesystem::path(path).parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        fsync(folder);
        close(folder);
    }
    step(hook, WriteStep::FolderSynced);
    return "";
}

std::string localDate()
{
    return localNow("%Y-%m-%d %H:%M");
}

std::string damagedAside(const std::string& path)
{
    return path + ".damaged-" + localNow("%Y%m%d-%H%M%S") + "-" + std::to_string(getpid());
}

int lockBestTimes(const std::string& path, std::string& problem)
{
    const int lock = open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (lock < 0 || flock(lock, LOCK_EX) != 0) {
        problem = "cannot lock " + path + ".lock: " + std::strerror(errno);
        if (lock >= 0) close(lock);
        return -1;
    }
    return lock;
}

RunRecorded recordRunTime(const std::string& path, const RunTime& run, WriteStepHook hook,
                          const WrittenAlongside& alongside)
{
    RunRecorded result;
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    const int lock = lockBestTimes(path, result.problem);
    if (lock < 0) return result;
    step(hook, WriteStep::Locked);

    std::string text;
    std::vector<RunTime> runs;
    const SmallFile read = readSmallFile(path, largestTimesFile, text);
    if (read != SmallFile::Missing && (read != SmallFile::Read || !parseBestTimes(text, runs))) {
        const std::string aside = damagedAside(path);
        if (std::rename(path.c_str(), aside.c_str()) == 0) {
            result.problem = path + " could not be read as best times; kept as " + aside + ", a new one started";
        } else {
            result.problem = path + " could not be read as best times and cannot be moved aside: " +
                             std::strerror(errno) + "; left as it is";
        }
    }
    result.newBest = runs.empty() || run.milliseconds < runs.front().milliseconds;
    // After the runs of the same time, so an equal time is not a new best
    // and the older run keeps its place.
    runs.insert(std::upper_bound(runs.begin(), runs.end(), run,
                                 [](const RunTime& a, const RunTime& b) { return a.milliseconds < b.milliseconds; }),
                run);
    if (runs.size() > bestTimesKept) runs.resize(bestTimesKept);
    result.runs = runs;
    if (result.problem.find("left as it is") == std::string::npos) {
        const std::string problem = writeAtomically(path, spellBestTimes(runs), hook);
        if (!problem.empty()) result.problem = problem;
    }
    if (alongside) {
        const std::string problem = alongside(result.newBest);
        if (!problem.empty()) result.problem += (result.problem.empty() ? "" : "; ") + problem;
    }
    close(lock);
    return result;
}
