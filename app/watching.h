#pragma once
// --watch: a replay script played in the game window. The whole script is
// read and checked before any window opens; then each tick of the game
// takes the script's input up to its next tick.

#include <string>
#include <vector>

#include "app/script.h"

struct Watch {
    std::vector<ScriptCommand> commands;
    size_t next = 0;     // the next command to act on
    int ticksLeft = 0;   // of the tick line acted on last
    ScriptScreen screen;
    bool over = false;   // the script has ended, or pressed Esc
};

// Reads and checks the whole script. Empty on success, otherwise the one
// line to print, naming the line that does not parse as the replay tool
// does.
std::string loadWatch(Watch& watch, const std::string& path);

// Acts on the script's input up to its next tick. True when that tick is
// due; false once the script is over (its end, or its Esc). Its blocks,
// items and shot lines have nothing to show in the game and are passed by.
bool nextWatchedTick(Watch& watch, Input& input, Game& game);
