#pragma once

#include "world/world.h"

void drawBlock(const Block& block, bool topOnly);
void drawUnitCube(bool flipTexture);
void drawBall();
void drawSizeOrb(const SizeOrb& orb);
void drawCheckpoint(const Checkpoint& checkpoint);
void drawGoal();
void drawTorus(float majorRadius, float tubeRadius);
