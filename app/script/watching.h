#pragma once
// --watch: a replay script played in the game window. The whole script is
// read and checked before any window opens; then each tick of the game
// takes the script's input up to its next tick.

#include <string>

#include "app/script/script_player.h"

// How many ticks of a watched script play in each tick of the clock.
constexpr int slowestWatchSpeed = 1;
constexpr int fastestWatchSpeed = 20;

// Reads and checks the whole script, as the replay tool reads it. Empty on
// success, otherwise the one line to print, naming the line that does not
// parse as the replay tool does; nothing of a bad script is kept.
std::string loadWatch(ScriptPlayer& watch, const std::string& path);

// Acts on the script's input up to its next tick. True when that tick is
// due; false once the script is over (its end, or its Esc). Its blocks,
// items, shot and ghost lines have nothing to show in the game and are
// passed by. (The ghost plays its own script through this too.)
bool nextWatchedTick(ScriptPlayer& watch, Input& input, Game& game);
