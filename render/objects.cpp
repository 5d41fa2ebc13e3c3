// TODO(stub)
#include "render/objects.h"
void drawBlock(const Block&, bool) {}
void drawUnitCube(bool) {}
void drawBall() {}
void drawSizeOrb(const SizeOrb&) {}
void drawCheckpoint(const Checkpoint&) {}
void drawGoal() {}
void drawTorus(float, float) {}
