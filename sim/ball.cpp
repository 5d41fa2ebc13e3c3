// TODO(stub): the ball step
#include "sim/ball.h"
Ball* ball = nullptr;
bool airborne = false;
Vec3 checkpointPosition{7.0f, 0.5f, 0.0f};
float checkpointRadius = 0.5f;
bool fallSoundPlayed = false;
void initBall(Ball&) {}
void ballStep(Ball&) {}
Vec3 rotateVector(Vec3 v, Vec3, float) { return v; }
