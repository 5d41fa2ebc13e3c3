#include "app/files/player_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>

namespace {

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

std::string localNow(const char* format)
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, format, &local);
    return text;
}

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

FileLock lockPlayerFile(const std::string& path)
{
    FileLock lock;
    lock.fd = open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (lock.fd < 0 || flock(lock.fd, LOCK_EX) != 0) {
        lock.problem = "cannot lock " + path + ".lock: " + std::strerror(errno);
        if (lock.fd >= 0) close(lock.fd);
        lock.fd = -1;
    }
    return lock;
}

void unlockPlayerFile(FileLock& lock)
{
    if (lock.fd >= 0) close(lock.fd);
    lock.fd = -1;
}

std::string damagedAside(const std::string& path)
{
    return path + ".damaged-" + localNow("%Y%m%d-%H%M%S") + "-" + std::to_string(getpid());
}

MovedAside moveAside(const std::string& path)
{
    MovedAside result;
    const std::string aside = damagedAside(path);
    if (std::rename(path.c_str(), aside.c_str()) == 0) {
        result.moved = true;
        result.aside = aside;
    } else {
        result.problem = std::strerror(errno);
    }
    return result;
}

std::string describe(const MovedAside& moved)
{
    return moved.moved ? "kept as " + moved.aside : "cannot be moved aside (" + moved.problem + ")";
}
