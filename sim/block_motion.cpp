#include "sim/block_motion.h"

#include <algorithm>

#include "sim/timing.h"

namespace {

// One axis of the step, on the fields themselves: this runs for every block
// of the course five times a tick.
void moveAlong(float& position, float low, float travel, float& velocity)
{
    const float high = low + travel;
    position = position + velocity * stepLength;
    // Passing an end puts the block exactly back on it and turns it; a
    // block landing exactly on an end turns on the following step.
    if (position > high || position < low) {
        position = std::max(std::min(position, high), low);
        velocity = -velocity;
    }
}

}  // namespace

void moveBlockStep(const Block& block, BlockState& state)
{
    moveAlong(state.position.x, block.basePosition.x, block.travel.x, state.velocity.x);
    moveAlong(state.position.y, block.basePosition.y, block.travel.y, state.velocity.y);
    moveAlong(state.position.z, block.basePosition.z, block.travel.z, state.velocity.z);
}

void moveBlockSteps(const Block& block, BlockState& state, int steps)
{
    for (int step = 0; step < steps; ++step) moveBlockStep(block, state);
}
