#pragma once
// The ball's state after a tick as one CSV row: what the replay tool prints
// and what the game writes when asked to trace a run (SKYCOURSE_ROWS), so
// the two can be compared byte for byte.

#include <string>

#include "sim/game.h"

extern const char* const rowHeader;

// The row after tick `tickNumber` (counted from 1), with a line end. Floats
// are printed with "%.9g", so they read back exactly.
std::string formatRow(long long tickNumber, const Game& game);
