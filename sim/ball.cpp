#include "sim/ball.h"

#include <GL/gl.h>

#include <cmath>

#include "assets/sound.h"
#include "sim/collision.h"
#include "sim/game_state.h"
#include "sim/items.h"

namespace {

const float stepLength = 0.005f;
const float gravityPerStep = 0.25f;
const float fullTurn = 6.2831855f;
const float fallSoundHeight = 0.0f;
const float respawnHeight = -10.0f;
// Below this many degrees a step is taken as no roll at all: glRotatef has
// no meaningful axis for a displacement that small.
const float smallestRoll = 1e-6f;

Ball* makeBall()
{
    Ball* b = new Ball;
    initBall(*b);
    return b;
}

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

void roll(Ball& b, const Vec3& d)
{
    // Every step leaves the modelview matrix selected, rolled or not.
    glMatrixMode(GL_MODELVIEW);
    float distance = std::sqrt(d.x * d.x + d.z * d.z);
    float angle = distance / (b.radius * fullTurn) * 360.0f;
    if (!(angle >= smallestRoll)) {
        return;
    }
    Vec3 axis = rotateVector({d.x, 0.0f, d.z}, {0.0f, 1.0f, 0.0f}, -90.0f);
    glPushMatrix();
    glLoadIdentity();
    glRotatef(angle, axis.x, axis.y, axis.z);
    glMultMatrixf(b.rotation);
    glGetFloatv(GL_MODELVIEW_MATRIX, b.rotation);
    glPopMatrix();
}

} // namespace

Ball* ball = makeBall();
bool airborne = false;
Vec3 checkpointPosition{7.0f, 0.5f, 0.0f};
float checkpointRadius = 0.5f;
bool fallSoundPlayed = false;

void initBall(Ball& b)
{
    b.radius = 0.5f;
    b.maxSpeed = 20.0f;
    b.stepTimer = 0.0f;
    b.control = {0.0f, 0.0f, 0.0f};
    b.position = {7.0f, 0.5f, 0.0f};
    b.velocity = {0.0f, 0.0f, 0.0f};
    b.colour = {1.0f, 1.0f, 1.0f};
    for (int i = 0; i < 16; ++i) {
        b.rotation[i] = (i % 5 == 0) ? 1.0f : 0.0f;
    }
}

Vec3 rotateVector(Vec3 v, Vec3 axis, float degrees)
{
    float length = std::sqrt(axis.x * axis.x + axis.y * axis.y + axis.z * axis.z);
    Vec3 n{axis.x / length, axis.y / length, axis.z / length};
    float theta = degrees * 3.1415927f / 180.0f;
    float c = std::cos(theta);
    float s = std::sin(theta);
    float along = n.x * v.x + n.y * v.y + n.z * v.z;
    float keep = 1.0f - c;
    Vec3 cross{v.y * n.z - v.z * n.y, v.z * n.x - v.x * n.z, v.x * n.y - v.y * n.x};
    return {v.x * c + n.x * along * keep + cross.x * s,
            v.y * c + n.y * along * keep + cross.y * s,
            v.z * c + n.z * along * keep + cross.z * s};
}

void ballStep(Ball& b)
{
    b.control = {keyAxis(moveRight, moveLeft), 0.0f, keyAxis(moveBack, moveForward)};

    float accel = b.maxSpeed * stepLength;
    b.velocity.x = steer(b.velocity.x, b.control.x, accel, b.maxSpeed);
    b.velocity.z = steer(b.velocity.z, b.control.z, accel, b.maxSpeed);
    if (airborne) {
        b.velocity.y = b.velocity.y - gravityPerStep;
    }

    Vec3 turned = rotateVector(b.velocity, {0.0f, 1.0f, 0.0f}, cameraYaw);
    Vec3 d{turned.x * stepLength, turned.y * stepLength, turned.z * stepLength};
    b.position = {b.position.x + d.x, b.position.y + d.y, b.position.z + d.z};

    collideBlocks(b);
    touchSizeOrbs(b);
    touchCheckpoints(b);
    checkGoal({b.position.x, b.position.y + b.radius, b.position.z});

    if (b.position.y <= fallSoundHeight && !fallSoundPlayed) {
        fallSoundPlayed = true;
        playEffect(fallSound, &effectsChannel);
    }
    if (b.position.y <= respawnHeight) {
        b.position = checkpointPosition;
        b.radius = checkpointRadius;
        b.velocity = {0.0f, 0.0f, 0.0f};
        fallSoundPlayed = false;
    }

    roll(b, d);
}
