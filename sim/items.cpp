// TODO(stub): orbs, checkpoints, goal
#include "sim/items.h"
const float touchMargin = 0.15f;
float goalAngle = 0.0f;
float goalStepTimer = 0.0f;
float radiusOfSizeKind(int) { return 0.5f; }
void touchSizeOrbs(Ball&) {}
void touchCheckpoints(Ball&) {}
void checkGoal(const Vec3&) {}
void pulseAlpha(SizeOrb&) {}
void pulseAlpha(Checkpoint&) {}
void spinGoal() {}
