#pragma once
// The pseudo-random numbers the item pulses draw, held in the game so that a
// copy of the game repeats them. The same sequence as the C library's
// rand() after srand(seed) on glibc (its additive feedback generator), so a
// seed plays exactly as it always has.

#include <cstdint>

struct Random {
    uint32_t ring[34];
    int next;   // index of the oldest of the last 34 values

    bool operator==(const Random&) const = default;
};

Random seededRandom(unsigned int seed);
// 0 .. 2^31 - 1, as rand().
int nextRandom(Random& random);
