#pragma once
// Driving moves built on the simulation: rolling to a point, waiting, and
// hops from one block to another found by trying start times and take-off
// points until one lands.

#include <functional>
#include <vector>

#include "tools/autopilot/keys.h"
#include "world/vec3.h"

// Arrow on one axis that brings `position` to `target`, braking in time.
int steerAxis(float position, float velocity, float target, float topSpeed);

// Keys that steer the ball's centre toward (x, z).
Keys steerTo(float x, float z, float topSpeed);

// True while the ball rests on the top of block `index` (0-based).
bool onTopOf(int index);

// Rolls to (x, z) and comes to rest there. False if it takes longer than
// `limit` ticks or the ball drops further than `drop`.
// `drop` is how far it may fall on the way (off the end of one bar onto
// the next one down).
bool rollTo(float x, float z, float topSpeed = 20.0f, float drop = 0.5f, int limit = 800);

// Plays ticks with the keys `choose` gives until `done` holds; false after
// `limit` ticks.
bool playUntil(const std::function<Keys()>& choose, const std::function<bool()>& done, int limit);

// From the top of block `from` to the top of block `to`: waits on `from`,
// runs at the aim point (an offset from `to`'s minimum corner, followed as
// the block moves) and jumps near the edge. Tries later starts and other
// take-off points until the ball lands and stays on `to`.
struct Hop {
    int from;
    int to;
    float aimX;
    float aimZ;
    int maxDelay = 400;       // ticks of waiting tried, in steps of 4
    float runUp = 3.0f;       // distance behind `from`'s centre to start from
    float topSpeed = 20.0f;
    std::function<bool()> also = [] { return true; };  // must hold on landing
};
bool hop(const Hop& plan);

// From rest at (x, z) on a bar, jumps straight up and, after a pause tried
// tick by tick, steers to (aimX, aimZ) on the top of block `to` just above:
// the way up a step higher than the ball can roll.
bool climb(int to, float x, float z, float aimX, float aimZ);

// Runs off block `from` and hops along the row of `bars` with the jump key
// held, the ball springing off every top it lands on, each flight steered
// to the middle of the next bar, until it rests on the last one near
// `aimX`. The run-up speed and take-off point are searched.
bool bounceAlong(int from, const std::vector<int>& bars, float aimX, float z);

// Holds the jump key for one tick while steering to (x, z), then steers on
// until `done`; used to touch things above the ball.
bool jumpAt(float x, float z, const std::function<bool()>& done, int limit = 200);

// Tries `attempt(i)` for i = 0, 1, ... count-1 from the same saved game and
// keeps the first that succeeds; on failure the game is as before.
bool firstThat(int count, const std::function<bool(int)>& attempt);

// True once checkpoint `index` (0-based) has been taken.
bool checkpointTaken(int index);

// Keys that steer to a point riding along with block `index`, at (dx, dz)
// from its minimum corner.
std::function<Keys()> rideOn(int index, float dx, float dz);

// Prints where the ball is, prefixed by `what`, to stderr.
void report(const char* what);
