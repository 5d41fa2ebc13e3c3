#pragma once
// The ball against the blocks: the face it touches pushes it out, a top
// carries it, lands it and lets it jump.

#include "sim/game.h"

// Faces 0..5: +z, -z, +x, -x, top, bottom.
void collideBlocks(Game& game, bool jumpHeld);
// One block against the ball's centre; the ball's velocity, radius and the
// game's airborne flag and events are read and written.
void collideBlock(Game& game, const Block& block, const BlockState& state, Vec3& centre, bool jumpHeld);
// Whether the face of the box at `position` of this `size` touches the ball.
bool faceContact(const Vec3& position, const Vec3& size, const Vec3& centre, float r, int face);
// The first face, in the order above, that touches the ball; 6 for none.
int firstContactFace(const Vec3& position, const Vec3& size, const Vec3& centre, float r);
