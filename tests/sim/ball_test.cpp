#include <algorithm>
#include <cmath>
#include <vector>

#include "tests/sim/sim_fixture.h"

namespace {

TEST(RotateVector, TurnsOppositeToGlRotate)
{
    Vec3 r = rotateVector({1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, 90.0f);
    EXPECT_NEAR(r.x, 0.0f, 1e-6f);
    EXPECT_NEAR(r.y, 0.0f, 1e-6f);
    EXPECT_NEAR(r.z, 1.0f, 1e-6f);

    Vec3 heading = rotateVector({0.0f, 0.0f, -1.0f}, {0.0f, 2.0f, 0.0f}, 90.0f);
    EXPECT_NEAR(heading.x, 1.0f, 1e-6f);
    EXPECT_NEAR(heading.z, 0.0f, 1e-6f);

    Vec3 along = rotateVector({0.0f, 3.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, 37.0f);
    EXPECT_FLOAT_EQ(along.y, 3.0f);

    EXPECT_EQ(quarterTurnRight, turnOf({0.0f, 1.0f, 0.0f}, -90.0f)) << "the roll's quarter turn, written out";
}

using Motion = SimTest;

TEST_F(Motion, AcceleratesToLimitThenBrakesToRestWithoutReversing)
{
    addFloor(0.5f);
    keys.moveForward = true;
    EXPECT_NEAR(stepsUntil([&] { return b.velocity.z <= -20.0f; }), 200, 2);
    steps(20);
    EXPECT_EQ(b.velocity.z, -20.0f);

    keys.moveForward = false;
    const int toRest = stepsUntil([&] {
        EXPECT_LE(b.velocity.z, 0.0f);
        return b.velocity.z == 0.0f;
    });
    EXPECT_NEAR(toRest, 400, 2);
    steps(50);
    EXPECT_EQ(b.velocity.z, 0.0f);
    EXPECT_EQ(b.velocity.x, 0.0f);
}

TEST_F(Motion, KeyAgainstMotionChangesSpeedByAQuarterMore)
{
    addFloor(0.5f);
    b.velocity.z = -10.0f;
    keys.moveBack = true;
    ballStep(g, keys);
    EXPECT_NEAR(b.velocity.z, -9.875f, 1e-5f);

    keys.moveForward = true; // both held: no control, so it brakes
    ballStep(g, keys);
    EXPECT_NEAR(b.velocity.z, -9.825f, 1e-5f);
    EXPECT_EQ(b.control.z, 0.0f);
}

TEST_F(Motion, DiagonalLimitsEachComponent)
{
    addFloor(0.5f);
    keys.moveForward = true;
    keys.moveRight = true;
    steps(300);
    EXPECT_EQ(b.velocity.x, 20.0f);
    EXPECT_EQ(b.velocity.z, -20.0f);
    EXPECT_NEAR(std::hypot(b.velocity.x, b.velocity.z), 20.0f * std::sqrt(2.0f), 1e-4f);
}

TEST_F(Motion, GravityOnlyWhileAirborneAndSteeringInTheAir)
{
    addFloor(0.5f);
    steps(50);
    EXPECT_EQ(b.velocity.y, 0.0f);
    EXPECT_FLOAT_EQ(b.position.y, 0.5f);
    EXPECT_FALSE(g.airborne);

    reset();
    b.position.y = 100.0f;
    keys.moveRight = true;
    steps(10);
    // The first step still sees the ground flag of load time.
    EXPECT_FLOAT_EQ(b.velocity.y, -2.25f);
    EXPECT_TRUE(g.airborne);
    EXPECT_FLOAT_EQ(b.velocity.x, 1.0f);
}

TEST_F(Motion, CameraYawTurnsTheCurrentMotion)
{
    addFloor(0.5f);
    b.velocity.z = -10.0f;
    keys.moveForward = true;
    g.camera.cameraYaw = 90.0f;
    float x = b.position.x;
    float z = b.position.z;
    ballStep(g, keys);
    EXPECT_NEAR(b.position.x - x, 10.1f * 0.005f, 1e-5f);
    EXPECT_NEAR(b.position.z - z, 0.0f, 1e-6f);
}

TEST_F(Motion, FallSoundOncePerFallAndRespawnAtStart)
{
    b.position.y = 0.3f;
    b.radius = 1.0f;
    b.velocity = {20.0f, 0.0f, 3.0f};
    ballStep(g, keys);
    EXPECT_FALSE(g.fallSoundPlayed);
    stepsUntil([&] { return b.position.y <= 0.0f; }, 100);
    EXPECT_TRUE(g.fallSoundPlayed);
    EXPECT_EQ(plays(EventKind::Fall), 1);
    Mat3 rotation = b.rotation;
    stepsUntil([&] {
        if (b.velocity.y == 0.0f) return true;
        rotation = b.rotation;  // before the step
        return false;
    });
    EXPECT_EQ(plays(EventKind::Fall), 1);
    EXPECT_FALSE(g.fallSoundPlayed);
    EXPECT_EQ(b.position.x, 7.0f);
    EXPECT_EQ(b.position.y, 0.5f);
    EXPECT_EQ(b.position.z, 0.0f);
    EXPECT_EQ(b.radius, 0.5f);
    EXPECT_EQ(b.velocity.x, 0.0f);
    EXPECT_EQ(b.velocity.z, 0.0f);
    // The respawning step still rolls by the distance it moved before.
    EXPECT_NE(std::vector<float>(rotation.m, rotation.m + 9),
              std::vector<float>(b.rotation.m, b.rotation.m + 9));

    // With nothing below the start either, the next fall sounds again.
    stepsUntil([&] { return b.position.y <= 0.0f; });
    EXPECT_EQ(plays(EventKind::Fall), 2);
}

TEST_F(Motion, RespawnAtCheckpointWithItsRadius)
{
    g.checkpointPosition = {23.0f, 33.0f, -163.0f};
    g.checkpointRadius = 1.0f;
    b.position.y = -9.999f;
    b.velocity.y = -10.0f;
    g.airborne = true;
    ballStep(g, keys);
    EXPECT_EQ(b.position.x, 23.0f);
    EXPECT_EQ(b.position.y, 33.0f);
    EXPECT_EQ(b.radius, 1.0f);
    EXPECT_EQ(b.velocity.y, 0.0f);
}

// The top of the ball must turn toward the direction of travel, by the arc
// length over the circumference.
TEST_F(Motion, RollingAngleFollowsDistanceAndRadius)
{
    for (float radius : {0.5f, 1.0f}) {
        reset();
        addFloor(0.5f);
        b.radius = radius;
        b.velocity.z = -20.0f;
        keys.moveForward = true;
        ballStep(g, keys);
        float expected = 0.1f / (radius * 6.2831855f) * 360.0f;
        float turned = std::acos(b.rotation.m[4]) * 180.0f / 3.1415927f;
        EXPECT_NEAR(turned, expected, 1e-3f) << radius;
        EXPECT_LT(b.rotation.m[5], 0.0f) << "top should turn toward -z";
        EXPECT_NEAR(b.rotation.m[0], 1.0f, 1e-6f);
    }
}

TEST_F(Motion, NoHorizontalMotionNoRoll)
{
    addFloor(0.5f);
    b.position.y = 5.0f;
    steps(30);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(b.rotation.m[i], i % 4 == 0 ? 1.0f : 0.0f) << i;
    }
}

} // namespace
