#include "app/script/recording.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace {

// Stops recording after one line on stderr: a full disk must not stop the
// game, and a recording with a hole in it would replay to other rows.
void giveUp(Recording& recording, const char* what)
{
    std::fprintf(stderr, "skycourse: recording stopped, %s %s: %s\n", what, recording.partPath.c_str(),
                 std::strerror(errno));
    close(recording.fd);
    recording.fd = -1;
}

bool writeAt(Recording& recording, const std::string& text, long long offset)
{
    if (recording.fd < 0) return false;
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = pwrite(recording.fd, text.data() + done, text.size() - done, off_t(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            giveUp(recording, "cannot write");
            return false;
        }
        done += size_t(n);
    }
    return true;
}

std::string tickLine(long long ticks)
{
    return spellScriptLine({ScriptKind::Tick, int(ticks), 0, {}}) + "\n";
}

void appendLine(Recording& recording, const std::string& line)
{
    // The tick line stops growing: what comes next goes after it.
    if (recording.ticks > 0) {
        recording.end += static_cast<long long>(tickLine(recording.ticks).size());
        recording.ticks = 0;
    }
    if (writeAt(recording, line + "\n", recording.end)) recording.end += static_cast<long long>(line.size() + 1);
}

}  // namespace

std::string startRecording(Recording& recording, const std::string& path)
{
    recording = Recording{};
    recording.path = path;
    recording.partPath = path + ".part";
    recording.fd = open(recording.partPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (recording.fd < 0) {
        return "skycourse: cannot record to " + recording.partPath + ": " + std::strerror(errno);
    }
    // The move onto FILE at the end would fail on a folder.
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        close(recording.fd);
        unlink(recording.partPath.c_str());
        recording.fd = -1;
        return "skycourse: cannot record to " + path + ": it is a folder";
    }
    return "";
}

void recordInput(Recording& recording, const ScriptCommand& command)
{
    if (recording.fd < 0) return;
    const std::string line = spellScriptLine(command);
    if (!line.empty()) appendLine(recording, line);
}

void recordPointer(Recording& recording, int x, int y, int width, int height)
{
    if (recording.fd < 0) return;
    if (width != recording.screen.width || height != recording.screen.height) {
        recording.screen = {width, height};
        appendLine(recording, spellScriptLine({ScriptKind::Window, width, height, {}}));
    }
    appendLine(recording, spellScriptLine({ScriptKind::Mouse, x, y, {}}));
}

void recordTick(Recording& recording)
{
    if (recording.fd < 0) return;
    ++recording.ticks;
    writeAt(recording, tickLine(recording.ticks), recording.end);
}

void finishRecording(Recording& recording)
{
    if (recording.fd < 0) return;
    close(recording.fd);
    recording.fd = -1;
    if (std::rename(recording.partPath.c_str(), recording.path.c_str()) != 0) {
        std::fprintf(stderr, "skycourse: the recording stays in %s: %s\n", recording.partPath.c_str(),
                     std::strerror(errno));
    }
}
