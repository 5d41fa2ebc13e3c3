#pragma once
// The ball's state after a tick as one CSV row: what the replay tool prints
// and what the game writes when asked to trace a run (SKYCOURSE_ROWS), so
// the two can be compared byte for byte.

#include <string>

#include "sim/game.h"

extern const char* const rowHeader;
// The header again, with the ghost's columns after the ball's: the replay
// tool's `ghostrows`.
extern const char* const ghostRowHeader;

// The row after tick `tickNumber` (counted from 1), with a line end. Floats
// are printed with "%.9g", so they read back exactly.
std::string formatRow(long long tickNumber, const Game& game);

// The ghost's columns, to follow a row (before its line end): the same
// fields as a row's after the tick number, or as many empty ones for no
// ghost.
std::string formatGhostColumns(const Game* ghost);
