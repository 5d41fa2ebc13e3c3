#pragma once
// Where the ball's shadow falls: the highest top under the ball that is not
// above it.

#include <vector>

#include "sim/ball.h"
#include "world/world.h"

// The receiver's top height, with the receiver copied out, or a negative
// value when nothing (or nothing above height 0) lies under the ball.
float findShadowReceiver(const Ball& b, const std::vector<Block>& blocks, const Vec3& position, Block& receiver);
