#pragma once
// The player's ball and its fixed 0.005 s step: control, gravity, heading,
// collision, items, the fall and the respawn, and the roll.

#include "sim/rotation.h"
#include "world/vec3.h"

struct Game;
struct Controls;

// The ball's three sizes, which the size orbs switch between.
constexpr float smallBallRadius = 0.25f;
constexpr float normalBallRadius = 0.5f;
constexpr float largeBallRadius = 1.0f;
constexpr float ballRadii[] = {smallBallRadius, normalBallRadius, largeBallRadius};

// Starts on the pad, at rest, unrolled.
struct Ball {
    float radius = normalBallRadius;
    float maxSpeed = 20.0f;
    float stepTimer = 0.0f;
    Vec3 control{0.0f, 0.0f, 0.0f};     // -1, 0 or +1 on x and z, from the held keys
    Vec3 position{7.0f, 0.5f, 0.0f};    // the ball's lowest point, not its centre
    Vec3 velocity{0.0f, 0.0f, 0.0f};    // x and z in the heading frame, y vertical
    Vec3 colour{1.0f, 1.0f, 1.0f};
    Mat3 rotation = identityMat3;       // orientation, accumulated by rolling

    bool operator==(const Ball&) const = default;
};

// The quarter turn that makes the roll's axis square to the motion:
// turnOf({0, 1, 0}, -90), written out (its cosine is not quite 0).
constexpr Turn quarterTurnRight{{0.0f, 1.0f, 0.0f}, -0x1.777a5cp-25f, -1.0f};

// The turn from the ball's own frame to the world's: the camera's yaw, which
// no step changes, so a tick works it out once for all its steps.
Turn headingOf(const Game& game);
void ballStep(Game& game, const Controls& controls, const Turn& heading);
// A step on its own, its heading worked out for it.
void ballStep(Game& game, const Controls& controls);
