#pragma once

#include "sim/ball.h"
#include "world/world.h"

// Faces 0..5: +z, -z, +x, -x, top, bottom.
void collideBlocks(Ball& b);
void collideBlock(const Block& block, Vec3& centre, Vec3& velocity, float r);
bool faceContact(const Block& block, const Vec3& centre, float r, int face);
