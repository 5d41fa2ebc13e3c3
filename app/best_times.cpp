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

// The file holds five short lines; anything larger is not one of ours.
constexpr size_t largestFile = 64 * 1024;
constexpr int64_t longestRun = 1000LL * 3600 * 24 * 365;
constexpr size_t longestDate = 40;

// A reader over the text that fails for good at the first surprise.
struct Reader {
    const std::string& text;
    size_t at = 0;
    bool ok = true;

    void space()
    {
        while (at < text.size() && std::strchr(" \t\r\n", text[at])) ++at;
    }
    bool peek(char c)
    {
        space();
        return ok && at < text.size() && text[at] == c;
    }
    void expect(char c)
    {
        if (peek(c)) {
            ++at;
        } else {
            ok = false;
        }
    }
    std::string string()
    {
        expect('"');
        std::string out;
        while (ok && at < text.size() && text[at] != '"') {
            const unsigned char c = static_cast<unsigned char>(text[at++]);
            if (c < 0x20 || c > 0x7e || c == '\\' || out.size() == longestDate) ok = false;
            out += char(c);
        }
        expect('"');
        return out;
    }
    void name(const char* wanted)
    {
        if (string() != wanted) ok = false;
        expect(':');
    }
    int64_t number()
    {
        space();
        int64_t value = 0;
        const size_t first = at;
        while (ok && at < text.size() && text[at] >= '0' && text[at] <= '9' && value <= longestRun) {
            value = value * 10 + (text[at++] - '0');
        }
        if (at == first || value <= 0 || value > longestRun) ok = false;
        return value;
    }
};

std::string nowStamp()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    return stamp;
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

std::string formatRunTime(int64_t milliseconds)
{
    const int64_t hundredths = milliseconds / 10;
    const int64_t seconds = hundredths / 100;
    char text[48];
    if (seconds >= 3600) {
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld.%02lld", (long long)(seconds / 3600),
                      (long long)(seconds / 60 % 60), (long long)(seconds % 60), (long long)(hundredths % 100));
    } else {
        std::snprintf(text, sizeof text, "%lld:%02lld.%02lld", (long long)(seconds / 60), (long long)(seconds % 60),
                      (long long)(hundredths % 100));
    }
    return text;
}

bool parseBestTimes(const std::string& text, std::vector<RunTime>& runs)
{
    runs.clear();
    Reader in{text};
    in.expect('{');
    in.name("times");
    in.expect('[');
    std::vector<RunTime> read;
    while (in.ok && !in.peek(']') && read.size() <= largestFile) {
        if (!read.empty()) in.expect(',');
        in.expect('{');
        RunTime run;
        in.name("ms");
        run.milliseconds = in.number();
        in.expect(',');
        in.name("date");
        run.date = in.string();
        in.expect('}');
        read.push_back(run);
    }
    in.expect(']');
    in.expect('}');
    in.space();
    if (!in.ok || in.at != text.size()) return false;
    std::stable_sort(read.begin(), read.end(),
                     [](const RunTime& a, const RunTime& b) { return a.milliseconds < b.milliseconds; });
    if (read.size() > bestTimesKept) read.resize(bestTimesKept);
    runs = std::move(read);
    return true;
}

std::string spellBestTimes(const std::vector<RunTime>& runs)
{
    std::string text = "{\n  \"times\": [";
    for (size_t i = 0; i < runs.size(); ++i) {
        text += i == 0 ? "\n" : ",\n";
        text += "    {\"ms\": " + std::to_string(runs[i].milliseconds) + ", \"date\": \"" + runs[i].date + "\"}";
    }
    return text + "\n  ]\n}\n";
}

std::string damagedAside(const std::string& path)
{
    return path + ".damaged-" + nowStamp() + "-" + std::to_string(getpid());
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
    const SmallFile read = readSmallFile(path, largestFile, text);
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
