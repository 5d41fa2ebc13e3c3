#pragma once

#include "sim/ball.h"
#include "world/world.h"

extern const float touchMargin;
extern float goalAngle;
extern float goalStepTimer;

// Ball radius for a size kind: 0.25, 0.5, 1.0; anything else 0.5.
float radiusOfSizeKind(int kind);

void touchSizeOrbs(Ball& b);
void touchCheckpoints(Ball& b);
void checkGoal(const Vec3& centre);
void pulseAlpha(SizeOrb& orb);
void pulseAlpha(Checkpoint& checkpoint);
void spinGoal();
