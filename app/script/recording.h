#pragma once
// --record: the run written as it is played, as a script the replay tool
// plays back to the same rows. Each line reaches the file the moment it is
// known, the ticks folded into one growing `tick N` line, so a crash or a
// kill leaves every tick up to the last one. The file is written as
// FILE.part and moved onto FILE in one step when the game ends, so FILE is
// never half written.

#include <string>

#include "app/script/script.h"

struct Recording {
    int fd = -1;            // -1: not recording
    std::string path;       // FILE
    std::string partPath;   // FILE.part, while playing
    long long end = 0;      // the file's length without the growing tick line
    long long ticks = 0;    // ticks on the growing tick line; 0 when there is none
    ScriptScreen screen;    // the size mouse lines are in so far
};

// Creates FILE.part. Empty on success, otherwise the one line to print.
std::string startRecording(Recording& recording, const std::string& path);

// A key, special-key or Esc line. Special keys the script cannot name change
// nothing in the game, and are left out.
void recordInput(Recording& recording, const ScriptCommand& command);
// A pointer move in a window of this size, preceded by a `window` line when
// the size differs from the last one written.
void recordPointer(Recording& recording, int x, int y, int width, int height);
void recordTick(Recording& recording);

// Closes the file and moves it onto FILE; nothing when not recording.
void finishRecording(Recording& recording);
