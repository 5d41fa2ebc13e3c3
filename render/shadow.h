#pragma once
// Where the ball's shadow falls: the highest top under the ball that is not
// above it.

#include <vector>

#include "sim/ball.h"
#include "sim/course_state.h"
#include "world/world.h"

// The receiver's top height, with the receiver's index in `blocks`, or a
// negative value when nothing (or nothing above height 0) lies under the
// ball. `states` holds where each block is now.
float findShadowReceiver(const Ball& b, const std::vector<Block>& blocks, const std::vector<BlockState>& states,
                         const Vec3& position, size_t& receiver);
