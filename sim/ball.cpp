#include "sim/ball.h"

#include <cmath>

#include "sim/collision.h"
#include "sim/game.h"
#include "sim/items.h"
#include "sim/timing.h"

namespace {

const float gravityPerStep = 0.25f;
const float fullTurn = 6.2831855f;
const float fallSoundHeight = 0.0f;
const float respawnHeight = -10.0f;
// Below this many degrees a step is taken as no roll at all: there is no
// meaningful axis for a displacement that small.
const float smallestRoll = 1e-6f;

// -1, 0 or +1 from two opposing keys; both held cancel out.
float keyAxis(bool positive, bool negative)
{
    if (positive && !negative) {
        return 1.0f;
    }
    if (negative && !positive) {
        return -1.0f;
    }
    return 0.0f;
}

float steer(float v, float control, float accel, float maxSpeed)
{
    if (control == 0.0f) {
        // Braking only ever takes speed away; it stops at rest.
        float magnitude = std::fabs(v) - accel / 2.0f;
        if (magnitude < 0.0f) {
            magnitude = 0.0f;
        }
        return v < 0.0f ? -magnitude : (v > 0.0f ? magnitude : v);
    }
    if (v * control < 0.0f) {
        v = v + accel * control * 1.25f;
    } else {
        v = v + accel * control;
    }
    if (v > maxSpeed) {
        v = maxSpeed;
    } else if (v < -maxSpeed) {
        v = -maxSpeed;
    }
    return v;
}

// Rolls the ball's orientation by the ground it covered: a turn about the
// horizontal axis square to the motion, one full turn per circumference.
void roll(Ball& b, const Vec3& d)
{
    float distance = std::sqrt(d.x * d.x + d.z * d.z);
    float angle = distance / (b.radius * fullTurn) * 360.0f;
    if (!(angle >= smallestRoll)) {
        return;
    }
    Vec3 axis = turnVector({d.x, 0.0f, d.z}, quarterTurnRight);
    b.rotation = multiply(rotationAbout(angle, axis), b.rotation);
}

} // namespace

Turn headingOf(const Game& game)
{
    return turnOf({0.0f, 1.0f, 0.0f}, game.camera.cameraYaw);
}

void ballStep(Game& game, const Controls& controls)
{
    ballStep(game, controls, headingOf(game));
}

void ballStep(Game& game, const Controls& controls, const Turn& heading)
{
    Ball& b = game.ball;
    b.control = {keyAxis(controls.moveRight, controls.moveLeft), 0.0f,
                 keyAxis(controls.moveBack, controls.moveForward)};

    float accel = b.maxSpeed * stepLength;
    b.velocity.x = steer(b.velocity.x, b.control.x, accel, b.maxSpeed);
    b.velocity.z = steer(b.velocity.z, b.control.z, accel, b.maxSpeed);
    if (game.airborne) {
        b.velocity.y = b.velocity.y - gravityPerStep;
    }

    Vec3 turned = turnVector(b.velocity, heading);
    Vec3 d{turned.x * stepLength, turned.y * stepLength, turned.z * stepLength};
    b.position = {b.position.x + d.x, b.position.y + d.y, b.position.z + d.z};

    collideBlocks(game, controls.jumpHeld);
    touchSizeOrbs(game);
    touchCheckpoints(game);
    checkGoal(game, {b.position.x, b.position.y + b.radius, b.position.z});

    if (b.position.y <= fallSoundHeight && !game.fallSoundPlayed) {
        game.fallSoundPlayed = true;
        game.events.push_back({EventKind::Fall});
    }
    if (b.position.y <= respawnHeight) {
        b.position = game.checkpointPosition;
        b.radius = game.checkpointRadius;
        b.velocity = {0.0f, 0.0f, 0.0f};
        game.fallSoundPlayed = false;
    }

    roll(b, d);
}
