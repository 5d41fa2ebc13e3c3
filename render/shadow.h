#pragma once
// The ball's shadow: a blob of four discs on the top below the ball, clipped
// to that top through the stencil.

#include <vector>

#include "render/graphics.h"
#include "sim/ball.h"
#include "world/world.h"

// Height of the top that receives the ball's shadow (copied into receiver),
// or -1 when there is none.
float findShadowReceiver(const Ball& b, const std::vector<Block>& blocks, const Vec3& position,
                         Block& receiver);
void drawBallShadow(const Ball& b, const std::vector<Block>& blocks, const Graphics& graphics);
void drawDisc(float radius);
