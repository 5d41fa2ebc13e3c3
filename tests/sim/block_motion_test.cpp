#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "sim/timing.h"
#include "sim/block_motion.h"
#include "tests/sim/test_blocks.h"
#include "world/level.h"
#include "world/world.h"

namespace {

// A block of a course and where it is now.
struct Moving {
    Block block;
    BlockState state;
};

Moving makeBlock(Vec3 base, Vec3 travel, Vec3 velocity)
{
    Block b = testBlock(base, {1.0f, 1.0f, 1.0f}, Material::None, velocity);
    b.travel = travel;
    return {b, startState(b)};
}

void moveBlockStep(Moving& m)
{
    moveBlockStep(m.block, m.state);
}

// Steps until the velocity on the axis changes sign; returns the step count.
int stepsUntilTurn(Moving& b, int axis, int limit)
{
    const bool rising = b.state.velocity[axis] > 0.0f;
    for (int n = 1; n <= limit; ++n) {
        moveBlockStep(b);
        if ((b.state.velocity[axis] > 0.0f) != rising) return n;
    }
    return -1;
}

TEST(BlockMotion, DiscSwaysEightUnitsInFourSecondsEachWay)
{
    Moving disc = makeBlock({-4.0f, 2.5f, -15.0f}, {8.0f, 0.0f, 0.0f}, {2.0f, 0.0f, 0.0f});
    moveBlockStep(disc);
    EXPECT_NEAR(disc.state.position.x, -3.99f, 1e-6f);

    const int out = 1 + stepsUntilTurn(disc, 0, 2000);
    EXPECT_GE(out, 799);
    EXPECT_LE(out, 802);
    EXPECT_EQ(disc.state.position.x, 4.0f);  // clamped exactly onto the far end
    EXPECT_EQ(disc.state.velocity.x, -2.0f);

    moveBlockStep(disc);
    EXPECT_NEAR(disc.state.position.x, 3.99f, 1e-5f);
    const int back = 1 + stepsUntilTurn(disc, 0, 2000);
    EXPECT_GE(back, 799);
    EXPECT_LE(back, 802);
    EXPECT_EQ(disc.state.position.x, -4.0f);
    EXPECT_EQ(disc.state.velocity.x, 2.0f);
    EXPECT_EQ(disc.state.position.y, 2.5f);
    EXPECT_EQ(disc.state.position.z, -15.0f);
}

TEST(BlockMotion, LiftTakesSevenSecondsEachWayOverTicks)
{
    Moving lift = makeBlock({150.0f, 28.0f, -91.0f}, {0.0f, 35.0f, 0.0f}, {0.0f, 5.0f, 0.0f});
    float top = lift.state.position.y;
    int turnUp = -1;
    int turnDown = -1;
    for (int tick = 1; tick <= 700 && turnDown < 0; ++tick) {
        runFixedSteps(lift.state.stepTimer, [&] { moveBlockStep(lift); });
        top = std::max(top, lift.state.position.y);
        if (turnUp < 0 && lift.state.velocity.y < 0.0f) turnUp = tick;
        if (turnUp > 0 && lift.state.velocity.y > 0.0f) turnDown = tick;
    }
    // 7 s = 280 ticks of 0.025 s; the turn comes within a tick of it.
    EXPECT_NEAR(turnUp, 280, 1);
    EXPECT_NEAR(turnDown - turnUp, 280, 1);
    EXPECT_EQ(top, 63.0f);
    EXPECT_EQ(lift.state.position.y, 28.0f);
}

TEST(BlockMotion, StartingAtTheFarEndTurnsOnTheFirstStep)
{
    Moving lift = makeBlock({137.0f, 131.0f, -19.0f}, {0.0f, 50.0f, 0.0f}, {0.0f, 7.0f, 0.0f});
    lift.state.position.y = 181.0f;
    moveBlockStep(lift);
    EXPECT_EQ(lift.state.position.y, 181.0f);
    EXPECT_EQ(lift.state.velocity.y, -7.0f);
    moveBlockStep(lift);
    EXPECT_LT(lift.state.position.y, 181.0f);
    EXPECT_EQ(lift.state.velocity.y, -7.0f);
}

// Landing exactly on an end is not passing it: the turn waits a step.
TEST(BlockMotion, ExactArrivalAtAnEndTurnsOneStepLater)
{
    const float stride = 2.0f * 0.005f;
    Moving b = makeBlock({0.0f, 0.0f, 0.0f}, {stride, 0.0f, 0.0f}, {2.0f, 0.0f, 0.0f});
    moveBlockStep(b);
    EXPECT_EQ(b.state.position.x, stride);
    EXPECT_EQ(b.state.velocity.x, 2.0f);
    moveBlockStep(b);
    EXPECT_EQ(b.state.position.x, stride);
    EXPECT_EQ(b.state.velocity.x, -2.0f);
}

TEST(BlockMotion, ZeroTravelHoldsPlaceAndFlipsEveryStep)
{
    Moving b = makeBlock({5.0f, 6.0f, 7.0f}, {0.0f, 0.0f, 0.0f}, {0.0f, 3.0f, 0.0f});
    for (int n = 1; n <= 6; ++n) {
        moveBlockStep(b);
        EXPECT_EQ(b.state.position.y, 6.0f);
        EXPECT_EQ(b.state.velocity.y, n % 2 == 1 ? -3.0f : 3.0f) << n;
    }
    EXPECT_EQ(b.state.position.x, 5.0f);
    EXPECT_EQ(b.state.position.z, 7.0f);
    EXPECT_EQ(b.state.velocity.x, 0.0f);
}

TEST(BlockMotion, AxesTurnIndependently)
{
    Moving b = makeBlock({0.0f, 0.0f, 0.0f}, {0.02f, 1.0f, 0.0f}, {2.0f, 2.0f, 0.0f});
    for (int n = 0; n < 3; ++n) moveBlockStep(b);
    EXPECT_EQ(b.state.velocity.x, -2.0f);
    EXPECT_EQ(b.state.position.x, 0.02f);
    EXPECT_EQ(b.state.velocity.y, 2.0f);
    EXPECT_NEAR(b.state.position.y, 0.03f, 1e-6f);
}

// Thousands of ticks of the real course: every block stays within its
// travel, static ones never move, and the movers really do travel.
TEST(BlockMotion, WholeCourseStaysWithinItsTravel)
{
    Course course = buildLevel();
    std::vector<Block>& blocks = course.blocks;
    ASSERT_EQ(blocks.size(), 114u);
    CourseState state = startState(course);
    std::vector<Vec3> lowest(blocks.size());
    std::vector<Vec3> highest(blocks.size());
    for (std::size_t i = 0; i < blocks.size(); ++i) lowest[i] = highest[i] = state.blocks[i].position;

    for (int tick = 0; tick < 4000; ++tick) {
        for (std::size_t i = 0; i < blocks.size(); ++i) {
            BlockState& now = state.blocks[i];
            runFixedSteps(now.stepTimer, [&] { moveBlockStep(blocks[i], now); });
        }
        for (std::size_t i = 0; i < blocks.size(); ++i) {
            const Block& b = blocks[i];
            for (int axis = 0; axis < 3; ++axis) {
                const float p = state.blocks[i].position[axis];
                ASSERT_GE(p, b.basePosition[axis]) << "block " << i + 1 << " tick " << tick;
                ASSERT_LE(p, b.basePosition[axis] + b.travel[axis])
                    << "block " << i + 1 << " tick " << tick;
                lowest[i][axis] = std::min(lowest[i][axis], p);
                highest[i][axis] = std::max(highest[i][axis], p);
            }
        }
    }
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const Block& b = blocks[i];
        for (int axis = 0; axis < 3; ++axis) {
            if (b.travel[axis] == 0.0f) {
                EXPECT_EQ(lowest[i][axis], b.basePosition[axis]) << i + 1;
                EXPECT_EQ(highest[i][axis], b.basePosition[axis]) << i + 1;
            } else {
                // 100 s of play covers every travel end to end; sampled once
                // a tick, an end is seen to within one tick's stride.
                const float stride = std::abs(b.velocity[axis]) * 0.025f;
                EXPECT_LE(lowest[i][axis], b.basePosition[axis] + stride) << i + 1;
                EXPECT_GE(highest[i][axis], b.basePosition[axis] + b.travel[axis] - stride)
                    << i + 1;
            }
        }
    }
}

}  // namespace
