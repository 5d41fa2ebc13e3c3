#pragma once
// What changes on a course while it is played: where each block is and which
// way it moves, how bright each orb and checkpoint is, which checkpoints are
// taken. One entry per record of the course, in the course's order.

#include <vector>

#include "world/world.h"

struct BlockState {
    Vec3 position;          // current minimum corner
    Vec3 velocity;          // units per second; the sign flips at each end
    float stepTimer = 0.0f; // seconds left to the next 0.005 s motion step

    bool operator==(const BlockState&) const = default;
};

// An orb's or a checkpoint's alpha, drifting between 0.1 and 0.9.
struct PulseState {
    float alpha = 0.1f;
    bool alphaRising = true;
    float stepTimer = 0.0f;

    bool operator==(const PulseState&) const = default;
};

struct CheckpointState {
    PulseState pulse;
    bool taken = false;     // the ball has saved here

    bool operator==(const CheckpointState&) const = default;
};

struct CourseState {
    std::vector<BlockState> blocks;
    std::vector<PulseState> sizeOrbs;
    std::vector<CheckpointState> checkpoints;

    bool operator==(const CourseState&) const = default;
};

// A block as the course starts it: at its start position, moving at its
// start velocity.
BlockState startState(const Block& block);
// The whole course as it starts.
CourseState startState(const Course& course);
