#pragma once
// The game's clock: a 25 ms tick of game time, taken in fixed 5 ms steps by
// every object that moves.

#include <cstdint>

constexpr unsigned int tickMilliseconds = 25;
constexpr int32_t ticksPerSecond = 1000 / tickMilliseconds;

// A count of ticks as game time.
constexpr int64_t ticksToMilliseconds(int64_t ticks)
{
    return ticks * tickMilliseconds;
}
constexpr float tickLength = 0.025f;
constexpr float stepLength = 0.005f;

// Runs one object's fixed steps for one tick: a budget of one tick of game
// time in steps of stepLength, carrying the remainder in stepTimer. All of
// it in single precision, as the game's timing depends on the float rounding.
template <typename Step>
void runFixedSteps(float& stepTimer, Step step)
{
    float budget = tickLength;
    for (;;) {
        if (stepTimer >= budget) {
            stepTimer = stepTimer - budget;
            return;
        }
        budget = budget - stepTimer;
        step();
        stepTimer = stepLength;
        if (budget <= 0.0f) {
            return;
        }
    }
}
