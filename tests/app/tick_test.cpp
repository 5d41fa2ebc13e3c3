#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "app/tick.h"
#include "sim/ball.h"
#include "sim/block_motion.h"
#include "sim/game_state.h"
#include "sim/items.h"
#include "tools/headless/egl_context.h"
#include "world/world.h"

namespace {

// A block sliding along x with room to spare, so that every motion step
// adds exactly velocity * 0.005 and the step count can be read off its place.
Block slidingBlock()
{
    Block block{};
    block.size = {1.0f, 1.0f, 1.0f};
    block.basePosition = {-500.0f, 50.0f, 0.0f};
    block.travel = {1000.0f, 0.0f, 0.0f};
    block.velocity = {2.0f, 0.0f, 0.0f};
    block.position = {0.0f, 50.0f, 0.0f};
    block.opacity = 1.0f;
    return block;
}

Block* addSlidingBlock(float stepTimer)
{
    auto* block = new Block{slidingBlock()};
    block->stepTimer = stepTimer;
    blocks.push_back(block);
    return block;
}

// Where a sliding block started at x = 0 is after the given number of steps,
// computed with the block's own step on a copy.
float slidAfter(int steps)
{
    Block copy = slidingBlock();
    for (int i = 0; i < steps; ++i) moveBlockStep(copy);
    return copy.position.x;
}

class TickTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(makeHeadlessContext()); }

    void SetUp() override
    {
        resetWorld();
        gameState = Playing;
        goalAngle = 0.0f;
        goalStepTimer = 0.0f;
        savedBall = ball;
        initBall(testBall);
        ball = &testBall;
        // The goal far from the ball, so that no tick ends the game by chance.
        goalPosition = {0.0f, 1000.0f, 0.0f};
    }

    void TearDown() override
    {
        ball = savedBall;
        resetWorld();
        gameState = Playing;
    }

    Ball testBall{};
    Ball* savedBall = nullptr;
};

TEST_F(TickTest, FiveStepsPerObjectPerTickFromZeroTimers)
{
    Block* first = addSlidingBlock(0.0f);
    Block* second = addSlidingBlock(0.0f);
    ASSERT_TRUE(advanceTick());
    EXPECT_EQ(first->position.x, slidAfter(5));
    EXPECT_EQ(second->position.x, slidAfter(5));
    EXPECT_EQ(goalAngle, 5.0f);
    // The fifth step leaves a budget equal to the timer, which ends the tick
    // with every timer back at 0.
    EXPECT_EQ(first->stepTimer, 0.0f);
    EXPECT_EQ(testBall.stepTimer, 0.0f);
    EXPECT_EQ(goalStepTimer, 0.0f);

    for (int i = 0; i < 9; ++i) ASSERT_TRUE(advanceTick());
    EXPECT_EQ(first->position.x, slidAfter(50));
    EXPECT_EQ(goalAngle, 50.0f);
}

TEST_F(TickTest, OrbsThenCheckpointsPulseFiveTimesEachInOrder)
{
    auto* orb = new SizeOrb{{0.0f, 0.0f, 0.0f}, 0, 0.3f, true, 0.0f};
    auto* checkpoint = new Checkpoint{{0.0f, 0.0f, 0.0f}, 1, 0.6f, false, 0.0f, {1, 1, 0}};
    sizeOrbs.push_back(orb);
    checkpoints.push_back(checkpoint);
    SizeOrb orbCopy = *orb;
    Checkpoint checkpointCopy = *checkpoint;

    // The pulse draws random numbers: replaying the same seed in the same
    // order must land on exactly the same values.
    std::srand(1234);
    ASSERT_TRUE(advanceTick());
    std::srand(1234);
    for (int i = 0; i < 5; ++i) pulseAlpha(orbCopy);
    for (int i = 0; i < 5; ++i) pulseAlpha(checkpointCopy);
    EXPECT_EQ(orb->alpha, orbCopy.alpha);
    EXPECT_EQ(checkpoint->alpha, checkpointCopy.alpha);
    EXPECT_EQ(orb->stepTimer, 0.0f);
    EXPECT_EQ(checkpoint->stepTimer, 0.0f);
}

TEST_F(TickTest, LeftOverTimerIsCarriedAcrossTicks)
{
    Block* block = addSlidingBlock(0.012f);
    testBall.stepTimer = 0.012f;
    goalStepTimer = 0.012f;

    // Steps fall at 0.012, 0.017 and 0.022 s of the first tick.
    ASSERT_TRUE(advanceTick());
    EXPECT_EQ(block->position.x, slidAfter(3));
    EXPECT_EQ(goalAngle, 3.0f);
    EXPECT_NEAR(block->stepTimer, 0.002f, 1e-6f);
    EXPECT_NEAR(testBall.stepTimer, 0.002f, 1e-6f);

    // Over ten ticks (0.25 s) the steps at 0.012 + 0.005 k number 48: the
    // offset stays, the rate is still five per tick.
    for (int i = 0; i < 9; ++i) ASSERT_TRUE(advanceTick());
    EXPECT_EQ(block->position.x, slidAfter(48));
    EXPECT_EQ(goalAngle, 48.0f);
    EXPECT_NEAR(block->stepTimer, 0.002f, 1e-5f);
}

TEST_F(TickTest, TimerEqualToBudgetTakesNoStepAndEndsAtZero)
{
    Block* block = addSlidingBlock(0.025f);
    goalStepTimer = 0.025f;
    testBall.stepTimer = 0.025f;
    Vec3 ballBefore = testBall.position;

    ASSERT_TRUE(advanceTick());
    EXPECT_EQ(block->position.x, 0.0f);
    EXPECT_EQ(block->stepTimer, 0.0f);
    EXPECT_EQ(goalAngle, 0.0f);
    EXPECT_EQ(goalStepTimer, 0.0f);
    EXPECT_EQ(testBall.stepTimer, 0.0f);
    EXPECT_EQ(testBall.position.y, ballBefore.y);

    ASSERT_TRUE(advanceTick());
    EXPECT_EQ(block->position.x, slidAfter(5));
    EXPECT_EQ(goalAngle, 5.0f);
}

TEST_F(TickTest, LateTickStillAdvancesOneTickOfGameTime)
{
    Block* block = addSlidingBlock(0.0f);
    ASSERT_TRUE(advanceTick());
    // Game time comes from the tick count, never from the clock.
    std::this_thread::sleep_for(std::chrono::milliseconds(80));
    ASSERT_TRUE(advanceTick());
    EXPECT_EQ(block->position.x, slidAfter(10));
    EXPECT_EQ(goalAngle, 10.0f);
}

TEST_F(TickTest, EndScreenTickChangesNothingAndDoesNotRearm)
{
    Block* block = addSlidingBlock(0.0f);
    auto* orb = new SizeOrb{{0.0f, 0.0f, 0.0f}, 2, 0.5f, true, 0.003f};
    sizeOrbs.push_back(orb);
    testBall.stepTimer = 0.001f;
    gameState = EndScreen;
    Ball ballBefore = testBall;

    EXPECT_FALSE(advanceTick());
    EXPECT_EQ(block->position.x, 0.0f);
    EXPECT_EQ(block->stepTimer, 0.0f);
    EXPECT_EQ(orb->alpha, 0.5f);
    EXPECT_EQ(orb->stepTimer, 0.003f);
    EXPECT_EQ(testBall.stepTimer, ballBefore.stepTimer);
    EXPECT_EQ(testBall.position.y, ballBefore.position.y);
    EXPECT_EQ(goalAngle, 0.0f);
    EXPECT_EQ(gameState, EndScreen);

    // No GLUT here: posting a redisplay or arming the timer would end this
    // program with freeglut's "not initialised" error.
    onTimer(0);
    EXPECT_EQ(block->position.x, 0.0f);
    EXPECT_EQ(goalAngle, 0.0f);
}

TEST_F(TickTest, GoalReachedMidTickFinishesThatTickThenStops)
{
    Block* block = addSlidingBlock(0.0f);
    // Put the ring on the ball: its first step reaches the goal.
    goalPosition = {testBall.position.x, testBall.position.y + testBall.radius,
                    testBall.position.z};

    ASSERT_TRUE(advanceTick());
    EXPECT_EQ(gameState, EndScreen);
    // The rest of the tick still ran: the ball's other steps and the spin.
    EXPECT_EQ(testBall.stepTimer, 0.0f);
    EXPECT_EQ(goalAngle, 5.0f);

    EXPECT_FALSE(advanceTick());
    EXPECT_EQ(block->position.x, slidAfter(5));
    EXPECT_EQ(goalAngle, 5.0f);
}

TEST_F(TickTest, EmptyListsAndNoBallAreSkipped)
{
    ball = nullptr;
    ASSERT_TRUE(advanceTick());
    EXPECT_EQ(goalAngle, 5.0f);
}

}  // namespace
