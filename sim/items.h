#pragma once
// Size orbs, checkpoints and the goal ring: what touching them does, and
// their small animations.

#include "sim/game.h"

// The items' sizes, for touching them and for drawing them alike.
constexpr float itemSphereRadius = 0.75f;    // a size orb's or a checkpoint's sphere
constexpr float goalRingHoopRadius = 1.5f;   // the goal ring, to the middle of its tube
constexpr float goalRingTubeRadius = 0.6f;

// How far the spheres must overlap before a touch counts.
constexpr float touchMargin = 0.15f;

// Whether a is nearer b than reach, by their distance rounded to a float.
bool nearerThan(const Vec3& a, const Vec3& b, float reach);

// Ball radius for a size kind: small, normal, large; anything else normal.
float radiusOfSizeKind(int kind);

void touchSizeOrbs(Game& game);
void touchCheckpoints(Game& game);
// The checkpoints the ball has saved at, for the timer.
int checkpointsTaken(const CourseState& state);
// A checkpoint shows yellow while live and magenta once the ball has saved at it.
Vec3 checkpointColour(const CheckpointState& checkpoint);
void checkGoal(Game& game, const Vec3& centre);
// One 0.005 s step of an orb's or a checkpoint's pulse.
void pulseAlpha(PulseState& item, Random& random);
void spinGoal(Game& game);
