#pragma once

#include "world/vec3.h"

struct Ball {
    float radius;
    float maxSpeed;
    float stepTimer;
    Vec3 control;       // -1, 0 or +1 on x and z, from the held keys
    Vec3 position;      // the ball's lowest point, not its centre
    Vec3 velocity;      // x and z in the heading frame, y vertical
    Vec3 colour;
    float rotation[16]; // column-major orientation, accumulated by rolling
};

// Created and set up during static initialisation; deleted on Esc.
extern Ball* ball;
extern bool airborne;
extern Vec3 checkpointPosition;
extern float checkpointRadius;
extern bool fallSoundPlayed;

void initBall(Ball& b);
// One 0.005 s step. Needs a current GL context (the rolling matrix).
void ballStep(Ball& b);
// Turns v about axis by degrees, in the opposite sense to glRotatef.
Vec3 rotateVector(Vec3 v, Vec3 axis, float degrees);
