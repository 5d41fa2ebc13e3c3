#pragma once
// Drawing the course's blocks, the ball, the items and the goal ring.

#include "render/graphics.h"
#include "sim/ball.h"
#include "world/world.h"

// A block with its material's picture; `topOnly` draws just its top face
// (the shadow marks it in the stencil).
void drawBlock(const Block& block, bool topOnly, const Graphics& graphics);
void drawUnitCube(bool flipTexture);
void drawBall(const Ball& ball, const Graphics& graphics);
void drawSizeOrb(const SizeOrb& orb, const Graphics& graphics);
void drawCheckpoint(const Checkpoint& checkpoint, const Graphics& graphics);
// Every size orb and checkpoint of the course, far to near from the eye of
// the current modelview matrix, so that each see-through sphere blends over
// the ones behind it. Drawn after everything opaque.
void drawSeeThroughItems(const Course& course, const Graphics& graphics);
void drawGoal(const Vec3& position, float angle, const Graphics& graphics);
void drawTorus(float majorRadius, float tubeRadius);
