#include <cmath>
#include <cstdlib>

#include "tests/sim/sim_fixture.h"

namespace {

using Items = SimTest;

TEST_F(Items, OrbTouchNeedsMoreThanTheMargin)
{
    b.position = {0.0f, 0.0f, 0.0f};
    addSizeOrb(g, {1.1f, 0.5f, 0.0f}, 0);
    touchSizeOrbs(g);
    EXPECT_EQ(b.radius, 0.5f);

    courseOf(g).sizeOrbs[0].position.x = 1.09f;
    touchSizeOrbs(g);
    EXPECT_EQ(b.radius, 0.25f);
    // The centre stays; the lowest point rises by the lost radius.
    EXPECT_FLOAT_EQ(b.position.y, 0.25f);
    EXPECT_EQ(plays(EventKind::Shrink), 1);

    // Orbs are never used up.
    b.radius = 1.0f;
    b.position.y = 0.0f;
    courseOf(g).sizeOrbs[0].position = {0.0f, 1.0f, 0.0f};
    touchSizeOrbs(g);
    EXPECT_EQ(b.radius, 0.25f);
    EXPECT_EQ(plays(EventKind::Shrink), 2);
}

TEST_F(Items, OrbOfTheSameSizeDoesNothingAndNormalRestores)
{
    b.position = {0.0f, 0.0f, 0.0f};
    b.radius = 1.0f;
    addSizeOrb(g, {0.0f, 1.0f, 0.0f}, 2);
    touchSizeOrbs(g);
    EXPECT_EQ(b.radius, 1.0f);
    EXPECT_EQ(b.position.y, 0.0f);

    // A kind the course never uses counts as normal.
    courseOf(g).sizeOrbs[0].sizeKind = 7;
    touchSizeOrbs(g);
    EXPECT_EQ(b.radius, 0.5f);
    EXPECT_FLOAT_EQ(b.position.y, 0.5f);
    EXPECT_EQ(int(g.events.size()), 0);

    courseOf(g).sizeOrbs[0].sizeKind = 2;
    touchSizeOrbs(g);
    EXPECT_EQ(b.radius, 1.0f);
    EXPECT_EQ(plays(EventKind::Grow), 1);
    EXPECT_EQ(int(g.events.size()), 1);
}

TEST_F(Items, LaterOrbTestedWithTheNewRadius)
{
    b.position = {0.0f, 0.0f, 0.0f};
    addSizeOrb(g, {0.0f, 0.5f, 0.0f}, 0);
    // Within reach of a ball of 0.5 (1.1) but not of one of 0.25 (0.85).
    addSizeOrb(g, {1.0f, 0.5f, 0.0f}, 2);
    touchSizeOrbs(g);
    EXPECT_EQ(b.radius, 0.25f);
}

TEST_F(Items, CheckpointTakenOnceAndKeepsTheBallSize)
{
    b.position = {0.0f, 0.0f, 0.0f};
    b.radius = 0.25f;
    addCheckpoint(g, {0.5f, 0.25f, 0.0f}, 2);
    touchCheckpoints(g);
    EXPECT_EQ(g.checkpointPosition.x, 0.5f);
    EXPECT_EQ(g.checkpointPosition.y, 0.25f);
    EXPECT_EQ(g.checkpointRadius, 1.0f);
    EXPECT_EQ(b.radius, 0.25f);
    EXPECT_TRUE(g.courseState.checkpoints[0].taken);
    EXPECT_EQ(checkpointColour(g.courseState.checkpoints[0]), (Vec3{1.0f, 0.0f, 1.0f}));

    g.checkpointPosition = {7.0f, 0.5f, 0.0f};
    g.checkpointRadius = 0.5f;
    touchCheckpoints(g);
    EXPECT_EQ(g.checkpointPosition.x, 7.0f);
    EXPECT_EQ(g.checkpointRadius, 0.5f);
    EXPECT_EQ(plays(EventKind::CheckpointSaved), 1);
}

TEST_F(Items, SmallBallTakingLargeCheckpointRespawnsLarge)
{
    addFloor(0.5f);
    b.radius = 0.25f;
    addCheckpoint(g, {7.0f, 0.75f, 0.0f}, 2);
    ballStep(g, keys);
    EXPECT_EQ(b.radius, 0.25f);
    courseOf(g).blocks.clear();
    g.courseState.blocks.clear();
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
    addSizeOrb(g, {7.0f, 1.0f, 0.0f}, 2);
    ballStep(g, keys);
    EXPECT_EQ(b.radius, 1.0f);
    EXPECT_EQ(b.position.y, 0.0f);
    EXPECT_EQ(plays(EventKind::Grow), 1);
    EXPECT_EQ(plays(EventKind::Fall), 1);
    EXPECT_TRUE(g.fallSoundPlayed);

    ballStep(g, keys);
    EXPECT_EQ(b.position.y, 0.5f);
    EXPECT_EQ(b.velocity.y, 0.0f);
    EXPECT_FALSE(g.airborne);
    EXPECT_EQ(int(g.events.size()), 2);
}

TEST_F(Items, GoalReachIsStrictAndFromTheCentre)
{
    courseOf(g).goalPosition = {0.0f, 0.0f, 1.5f};
    checkGoal(g, {0.0f, 0.0f, 0.0f});
    EXPECT_EQ(g.gameState, Playing);
    checkGoal(g, {0.0f, 0.0f, 0.01f});
    EXPECT_EQ(g.gameState, EndScreen);

    EXPECT_EQ(plays(EventKind::GoalReached), 1);

    // The ring 1.5 below the centre but only 1.0 below the lowest point.
    g.events.clear();
    g.gameState = Playing;
    courseOf(g).goalPosition = {7.0f, 0.5f, 0.0f};
    b.position = {7.0f, 1.5f, 0.0f};
    ballStep(g, keys);
    EXPECT_EQ(g.gameState, Playing);
    EXPECT_EQ(int(g.events.size()), 0);
}

TEST_F(Items, VictoryMusicStartsOnceInATickOfSeveralSteps)
{
    addFloor(0.5f);
    courseOf(g).goalPosition = {7.0f, 1.0f, 0.0f};
    for (int i = 0; i < 5; ++i) {
        ballStep(g, keys);
    }
    EXPECT_EQ(g.gameState, EndScreen);
    EXPECT_EQ(plays(EventKind::GoalReached), 1);
}

TEST(Pulse, OpacityTurnsAtItsLimitsAndNeverRunsAway)
{
    Random random = seededRandom(1);
    PulseState orb{0.1f, true, 0.0f};
    int turns = 0;
    bool rising = orb.alphaRising;
    for (int i = 0; i < 100000; ++i) {
        float before = orb.alpha;
        bool up = orb.alphaRising;
        pulseAlpha(orb, random);
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

    PulseState checkpoint{0.95f, true, 0.0f};
    pulseAlpha(checkpoint, random);
    EXPECT_FALSE(checkpoint.alphaRising);
}

TEST(GoalSpin, WrapsOnlyPast360)
{
    Game g;
    for (int i = 0; i < 360; ++i) {
        spinGoal(g);
    }
    EXPECT_EQ(g.goalAngle, 360.0f);
    spinGoal(g);
    EXPECT_EQ(g.goalAngle, 1.0f);
}

} // namespace

namespace {

// Leaving out the root for far pairs must never change an answer: pairs
// strewn around the reach, and lying exactly on it, are judged as by the
// rounded distance itself.
TEST(ItemDistance, NearerThanAgreesWithTheRoundedDistance)
{
    const auto byDistance = [](const Vec3& a, const Vec3& b, float reach) {
        const float dx = a.x - b.x;
        const float dy = a.y - b.y;
        const float dz = a.z - b.z;
        return std::fabs(std::sqrt(dx * dx + dy * dy + dz * dz)) < reach;
    };
    std::srand(5);
    int near = 0;
    int disagree = 0;
    for (const float reach : {0.85f, 1.1f, 1.5f, 1.6f, 0.0f, -1.0f}) {
        for (int i = 0; i < 20000; ++i) {
            const auto unit = [] { return float(std::rand()) / float(RAND_MAX) - 0.5f; };
            const Vec3 a{100.0f * unit(), 50.0f * unit(), 100.0f * unit()};
            Vec3 d{unit(), unit(), unit()};
            const float length = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
            // Within a few float steps of the reach, and exactly on it along an axis.
            const float away = reach * (1.0f + 4e-7f * float(i % 21 - 10));
            d = {d.x / length * away, d.y / length * away, d.z / length * away};
            for (const Vec3& b : {Vec3{a.x + d.x, a.y + d.y, a.z + d.z}, Vec3{a.x + away, a.y, a.z}}) {
                near += byDistance(a, b, reach) ? 1 : 0;
                disagree += nearerThan(a, b, reach) != byDistance(a, b, reach) ? 1 : 0;
            }
        }
    }
    EXPECT_EQ(disagree, 0);
    EXPECT_GT(near, 20000) << "the pairs straddle the reach";
}

}  // namespace
