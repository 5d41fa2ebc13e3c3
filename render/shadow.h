#pragma once

#include "sim/ball.h"
#include "world/world.h"

// Height of the top that receives the ball's shadow (copied into receiver),
// or -1 when there is none.
float findShadowReceiver(const Ball& b, const Vec3& position, Block& receiver);
void drawBallShadow();
void drawDisc(float radius);
