#pragma once
// The game as the tools start it, the same way every time, so that a script
// replays identically in every tool: the course built and the item pulses
// seeded with 1, and a 1280 x 1024 screen for mouse look.

#include "sim/game.h"

constexpr int replayScreenWidth = 1280;
constexpr int replayScreenHeight = 1024;

inline Game startHeadlessGame()
{
    return newGame(1);
}
