#pragma once
// Writing a player's file so that nothing is lost: a temporary file synced
// and renamed over the old one, a lock shared by everyone who writes a file
// and those kept beside it, and a damaged file moved aside rather than
// overwritten. Each step says what happened as a value.

#include <string>

// Each step of a write, in order: a test may end the process at any of them
// to see that nothing is lost.
enum class WriteStep { Locked, TempOpened, HalfWritten, Written, Synced, Closed, Renamed, FolderSynced };
using WriteStepHook = void (*)(WriteStep);

// Temporary file, sync, rename, the folder synced: a kill at any step leaves
// the old file or the new one whole. Empty, or the problem.
std::string writeAtomically(const std::string& path, const std::string& text, WriteStepHook hook = nullptr);

// The lock at `path`.lock, held while it is open.
struct FileLock {
    int fd = -1;           // -1: not held
    std::string problem;   // why not, when not
};
FileLock lockPlayerFile(const std::string& path);
void unlockPlayerFile(FileLock& lock);

// Where a damaged file of the player's is kept: `path`.damaged-<time>-<pid>.
std::string damagedAside(const std::string& path);

// A damaged file moved out of the way so a new one can be started.
struct MovedAside {
    bool moved = false;
    std::string aside;    // where it is kept, when moved
    std::string problem;  // why it stays, when not
};
MovedAside moveAside(const std::string& path);
// "kept as ...", or "cannot be moved aside (...)": the end of a problem line.
std::string describe(const MovedAside& moved);

// The local time now in a strftime format.
std::string localNow(const char* format);
