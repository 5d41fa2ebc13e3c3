#pragma once
// The run being played, kept in memory as the script --record writes for
// it, from the start or the last restart: a run that reaches the ring with a
// new best is saved from here as the ghost of the runs after it.

#include <string>
#include <vector>

#include "app/script/script.h"

struct RunScript {
    std::vector<ScriptCommand> commands;  // the last one a growing tick line while ticks run
    ScriptScreen screen;                  // the size the mouse lines are in so far
    std::string course;                   // the course's `course` line, kept through restarts; empty: the built-in one
};

// An empty run, its mouse lines in the script's own screen size again.
void startRunScript(RunScript& run);

// A key, special-key or Esc line, as it is recorded; a `restart` starts the
// run again.
void noteRunInput(RunScript& run, const ScriptCommand& command);
// A pointer move that turned the view, in a window of this size (a `window`
// line first when the size is not the one the run's mouse lines are in).
void noteRunPointer(RunScript& run, int x, int y, int width, int height);
// A tick: the tick line grows; a new one only after other lines. No
// allocation while the ticks run on.
void noteRunTick(RunScript& run);

// The run as script text, one command a line.
std::string spellRunScript(const RunScript& run);
