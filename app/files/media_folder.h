#pragma once
// Where the game finds its media. Pictures, sounds and shaders are read
// relative to the working directory ("images/", "sounds/", "shaders/"); a
// game started from another folder finds them beside its executable.

#include <filesystem>

// The working directory when it holds any of the three media folders,
// otherwise the executable's folder when that does, otherwise the installed
// media folder (../share/games/skycourse from there) when that does,
// otherwise the working directory still (each missing file is then reported
// as it is loaded).
std::filesystem::path mediaFolder(const std::filesystem::path& workingDirectory,
                                  const std::filesystem::path& executable);

// The running program's own file, from /proc/self/exe; empty if unknown.
std::filesystem::path runningExecutable();

// Makes mediaFolder() of this process its working directory.
void enterMediaFolder();
