#pragma once
// What a player holds down during one tick, and the replay-script text that
// presses and releases those keys between ticks.

#include <string>
#include <vector>

// Held keys of one tick. The camera is never turned while driving, so the
// arrows move the ball along the world axes: x +1 Right, -1 Left; z -1 Up,
// +1 Down.
struct Keys {
    int x = 0;
    int z = 0;
    bool jump = false;

    bool operator==(const Keys&) const = default;
};

// Script lines that take the held keys from `from` to `to` (releases first).
std::vector<std::string> keyEvents(const Keys& from, const Keys& to);

// A whole script: one entry per tick, the key changes before each tick,
// consecutive equal ticks folded into `tick N`, all keys released at the end.
std::string scriptForTicks(const std::vector<Keys>& ticks);
