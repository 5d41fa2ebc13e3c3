#pragma once
// A player's small file read whole, as untrusted: it may be missing, a
// folder, a named pipe or a device, unreadable, or far larger than any file
// of ours. Only a plain file is read.

#include <cstddef>
#include <string>

enum class SmallFile { Read, Missing, Unreadable, TooLarge };

SmallFile readSmallFile(const std::string& path, size_t largest, std::string& text);
