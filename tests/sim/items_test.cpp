#include <cmath>
#include <cstdlib>

#include "tests/sim/sim_fixture.h"

namespace {

using Items = SimTest;

TEST_F(Items, OrbTouchNeedsMoreThanTheMargin)
{
    b.position = {0.0f, 0.0f, 0.0f};
    addSizeOrb({1.1f, 0.5f, 0.0f}, 0);
    touchSizeOrbs(b);
    EXPECT_EQ(b.radius, 0.5f);

    sizeOrbs[0]->position.x = 1.09f;
    touchSizeOrbs(b);
    EXPECT_EQ(b.radius, 0.25f);
    // The centre stays; the lowest point rises by the lost radius.
    EXPECT_FLOAT_EQ(b.position.y, 0.25f);
    EXPECT_EQ(soundwatch::plays("shrink"), 1);

    // Orbs are never used up.
    b.radius = 1.0f;
    b.position.y = 0.0f;
    sizeOrbs[0]->position = {0.0f, 1.0f, 0.0f};
    touchSizeOrbs(b);
    EXPECT_EQ(b.radius, 0.25f);
    EXPECT_EQ(soundwatch::plays("shrink"), 2);
}

TEST_F(Items, OrbOfTheSameSizeDoesNothingAndNormalRestores)
{
    b.position = {0.0f, 0.0f, 0.0f};
    b.radius = 1.0f;
    addSizeOrb({0.0f, 1.0f, 0.0f}, 2);
    touchSizeOrbs(b);
    EXPECT_EQ(b.radius, 1.0f);
    EXPECT_EQ(b.position.y, 0.0f);

    // A kind the course never uses counts as normal.
    sizeOrbs[0]->sizeKind = 7;
    touchSizeOrbs(b);
    EXPECT_EQ(b.radius, 0.5f);
    EXPECT_FLOAT_EQ(b.position.y, 0.5f);
    EXPECT_EQ(soundwatch::allPlays(), 0);

    sizeOrbs[0]->sizeKind = 2;
    touchSizeOrbs(b);
    EXPECT_EQ(b.radius, 1.0f);
    EXPECT_EQ(soundwatch::plays("grow"), 1);
    EXPECT_EQ(soundwatch::allPlays(), 1);
}

TEST_F(Items, LaterOrbTestedWithTheNewRadius)
{
    b.position = {0.0f, 0.0f, 0.0f};
    addSizeOrb({0.0f, 0.5f, 0.0f}, 0);
    // Within reach of a ball of 0.5 (1.1) but not of one of 0.25 (0.85).
    addSizeOrb({1.0f, 0.5f, 0.0f}, 2);
    touchSizeOrbs(b);
    EXPECT_EQ(b.radius, 0.25f);
}

TEST_F(Items, CheckpointTakenOnceAndKeepsTheBallSize)
{
    b.position = {0.0f, 0.0f, 0.0f};
    b.radius = 0.25f;
    addCheckpoint({0.5f, 0.25f, 0.0f}, 2);
    touchCheckpoints(b);
    EXPECT_EQ(checkpointPosition.x, 0.5f);
    EXPECT_EQ(checkpointPosition.y, 0.25f);
    EXPECT_EQ(checkpointRadius, 1.0f);
    EXPECT_EQ(b.radius, 0.25f);
    EXPECT_EQ(checkpoints[0]->colour.x, 1.0f);
    EXPECT_EQ(checkpoints[0]->colour.y, 0.0f);
    EXPECT_EQ(checkpoints[0]->colour.z, 1.0f);

    checkpointPosition = {7.0f, 0.5f, 0.0f};
    checkpointRadius = 0.5f;
    touchCheckpoints(b);
    EXPECT_EQ(checkpointPosition.x, 7.0f);
    EXPECT_EQ(checkpointRadius, 0.5f);
    EXPECT_EQ(soundwatch::plays("save"), 1);
}

TEST_F(Items, SmallBallTakingLargeCheckpointRespawnsLarge)
{
    addFloor(0.5f);
    b.radius = 0.25f;
    addCheckpoint({7.0f, 0.75f, 0.0f}, 2);
    ballStep(b);
    EXPECT_EQ(b.radius, 0.25f);
    delete blocks.back();
    blocks.clear();
    b.velocity.y = -100.0f;
    stepsUntil([&] { return b.radius == 1.0f; }, 200);
    EXPECT_EQ(b.radius, 1.0f);
    EXPECT_EQ(b.position.y, 0.75f);
}

// Growing keeps the centre, so on a low top the lowest point dips to 0 for
// one step and the fall sound starts; the next block pass lifts the ball.
TEST_F(Items, GrowingOnALowTopDipsForOneStep)
{
    addFloor(0.5f);
    addSizeOrb({7.0f, 1.0f, 0.0f}, 2);
    ballStep(b);
    EXPECT_EQ(b.radius, 1.0f);
    EXPECT_EQ(b.position.y, 0.0f);
    EXPECT_EQ(soundwatch::plays("grow"), 1);
    EXPECT_EQ(soundwatch::plays("fall"), 1);
    EXPECT_TRUE(fallSoundPlayed);

    ballStep(b);
    EXPECT_EQ(b.position.y, 0.5f);
    EXPECT_EQ(b.velocity.y, 0.0f);
    EXPECT_FALSE(airborne);
    EXPECT_EQ(soundwatch::allPlays(), 2);
}

TEST_F(Items, GoalReachIsStrictAndFromTheCentre)
{
    goalPosition = {0.0f, 0.0f, 1.5f};
    checkGoal({0.0f, 0.0f, 0.0f});
    EXPECT_EQ(gameState, Playing);
    checkGoal({0.0f, 0.0f, 0.01f});
    EXPECT_EQ(gameState, EndScreen);

    EXPECT_EQ(soundwatch::plays("victory"), 1);

    // The ring 1.5 below the centre but only 1.0 below the lowest point.
    soundwatch::reset();
    gameState = Playing;
    goalPosition = {7.0f, 0.5f, 0.0f};
    b.position = {7.0f, 1.5f, 0.0f};
    ballStep(b);
    EXPECT_EQ(gameState, Playing);
    EXPECT_EQ(soundwatch::allPlays(), 0);
}

TEST_F(Items, VictoryMusicStartsOnceInATickOfSeveralSteps)
{
    addFloor(0.5f);
    goalPosition = {7.0f, 1.0f, 0.0f};
    for (int i = 0; i < 5; ++i) {
        ballStep(b);
    }
    EXPECT_EQ(gameState, EndScreen);
    EXPECT_EQ(soundwatch::plays("victory"), 1);
}

TEST(Pulse, OpacityTurnsAtItsLimitsAndNeverRunsAway)
{
    std::srand(1);
    SizeOrb orb{{0.0f, 0.0f, 0.0f}, 0, 0.1f, true, 0.0f};
    int turns = 0;
    bool rising = orb.alphaRising;
    for (int i = 0; i < 100000; ++i) {
        float before = orb.alpha;
        bool up = orb.alphaRising;
        pulseAlpha(orb);
        float change = up ? orb.alpha - before : before - orb.alpha;
        ASSERT_GE(change, 0.0019f) << i;
        ASSERT_LE(change, 0.0221f) << i;
        ASSERT_GE(orb.alpha, 0.1f - 0.0221f) << i;
        ASSERT_LE(orb.alpha, 0.9f + 0.0221f) << i;
        if (orb.alphaRising != rising) {
            ++turns;
            rising = orb.alphaRising;
        }
    }
    // About 67 steps each way at the mean change of 0.012.
    EXPECT_GT(turns, 1000);

    Checkpoint checkpoint{{0.0f, 0.0f, 0.0f}, 1, 0.95f, true, 0.0f, {1.0f, 1.0f, 0.0f}};
    pulseAlpha(checkpoint);
    EXPECT_FALSE(checkpoint.alphaRising);
}

TEST(GoalSpin, WrapsOnlyPast360)
{
    goalAngle = 0.0f;
    for (int i = 0; i < 360; ++i) {
        spinGoal();
    }
    EXPECT_EQ(goalAngle, 360.0f);
    spinGoal();
    EXPECT_EQ(goalAngle, 1.0f);
}

} // namespace
