#pragma once
// Games taken from the recorded route at chosen ticks, for measuring the
// game where players really are.

#include <string>
#include <vector>

#include "sim/game.h"

// The route played from the start pad with the replay tool's seed, stopping
// after `tick` ticks; the keys held then are in `controls`. Empty when the
// file cannot be read.
struct RouteState {
    Game game;
    Controls controls;
};
bool playRouteTo(const std::string& routeFile, long long tick, RouteState& state);
