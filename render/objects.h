#pragma once
// Drawing the course's blocks, the ball, the items and the goal ring.

#include "assets/textures.h"
#include "sim/ball.h"
#include "world/world.h"

// A block with its material's picture; `topOnly` draws just its top face
// (the shadow marks it in the stencil).
void drawBlock(const Block& block, bool topOnly, const Textures& textures);
void drawUnitCube(bool flipTexture);
void drawBall(const Ball& ball, const Textures& textures);
void drawSizeOrb(const SizeOrb& orb);
void drawCheckpoint(const Checkpoint& checkpoint);
// Every size orb and checkpoint of the course, far to near from the eye of
// the current modelview matrix, so that each see-through sphere blends over
// the ones behind it. Drawn after everything opaque.
void drawSeeThroughItems(const Course& course);
void drawGoal(const Vec3& position, float angle);
void drawTorus(float majorRadius, float tubeRadius);
