#include "sim/block_motion.h"

#include <algorithm>

#include "sim/timing.h"

void moveBlockStep(Block& block)
{
    for (int axis = 0; axis < 3; ++axis) {
        float& position = block.position[axis];
        const float low = block.basePosition[axis];
        const float high = low + block.travel[axis];
        position = position + block.velocity[axis] * stepLength;
        // Passing an end puts the block exactly back on it and turns it; a
        // block landing exactly on an end turns on the following step.
        if (position > high || position < low) {
            position = std::max(std::min(position, high), low);
            block.velocity[axis] = -block.velocity[axis];
        }
    }
}
