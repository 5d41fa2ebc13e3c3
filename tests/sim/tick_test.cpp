#include <gtest/gtest.h>

#include <cstring>

#include "sim/block_motion.h"
#include "sim/timing.h"
#include "tests/sim/sim_fixture.h"
#include "world/generated_course.h"
#include "world/level.h"

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
    block.startAtBase = true;
    block.opacity = 1.0f;
    return block;
}

// Halfway along its travel, at x = 0.
BlockState slidingState(float stepTimer)
{
    return {{0.0f, 50.0f, 0.0f}, {2.0f, 0.0f, 0.0f}, stepTimer};
}

BlockState* addSlidingBlock(Game& game, float stepTimer)
{
    BlockState* state = addBlock(game, slidingBlock());
    *state = slidingState(stepTimer);
    return state;
}

// Where a sliding block started at x = 0 is after the given number of steps,
// computed with the block's own step on a copy.
float slidAfter(int steps)
{
    BlockState copy = slidingState(0.0f);
    for (int i = 0; i < steps; ++i) moveBlockStep(slidingBlock(), copy);
    return copy.position.x;
}

class TickTest : public SimTest {
protected:
    Ball& testBall = g.ball;

    bool advanceTick() { return ::advanceTick(g, keys); }
    BlockState* addSlidingBlock(float stepTimer) { return ::addSlidingBlock(g, stepTimer); }
};

TEST_F(TickTest, FiveStepsPerObjectPerTickFromZeroTimers)
{
    BlockState* first = addSlidingBlock(0.0f);
    BlockState* second = addSlidingBlock(0.0f);
    ASSERT_TRUE(advanceTick());
    EXPECT_EQ(first->position.x, slidAfter(5));
    EXPECT_EQ(second->position.x, slidAfter(5));
    EXPECT_EQ(g.goalAngle, 5.0f);
    // The fifth step leaves a budget equal to the timer, which ends the tick
    // with every timer back at 0.
    EXPECT_EQ(first->stepTimer, 0.0f);
    EXPECT_EQ(testBall.stepTimer, 0.0f);
    EXPECT_EQ(g.goalStepTimer, 0.0f);

    for (int i = 0; i < 9; ++i) ASSERT_TRUE(advanceTick());
    EXPECT_EQ(first->position.x, slidAfter(50));
    EXPECT_EQ(g.goalAngle, 50.0f);
}

TEST_F(TickTest, OrbsThenCheckpointsPulseFiveTimesEachInOrder)
{
    addSizeOrb(g, {0.0f, 0.0f, 0.0f}, 0);
    addCheckpoint(g, {0.0f, 0.0f, 0.0f}, 1);
    g.courseState.sizeOrbs[0] = {0.3f, true, 0.0f};
    g.courseState.checkpoints[0].pulse = {0.6f, false, 0.0f};
    const PulseState* orb = &g.courseState.sizeOrbs[0];
    const PulseState* checkpoint = &g.courseState.checkpoints[0].pulse;
    PulseState orbCopy = *orb;
    PulseState checkpointCopy = *checkpoint;

    // The pulse draws random numbers: replaying the same seed in the same
    // order must land on exactly the same values.
    g.random = seededRandom(1234);
    ASSERT_TRUE(advanceTick());
    Random random = seededRandom(1234);
    for (int i = 0; i < 5; ++i) pulseAlpha(orbCopy, random);
    for (int i = 0; i < 5; ++i) pulseAlpha(checkpointCopy, random);
    EXPECT_EQ(orb->alpha, orbCopy.alpha);
    EXPECT_EQ(checkpoint->alpha, checkpointCopy.alpha);
    EXPECT_EQ(orb->stepTimer, 0.0f);
    EXPECT_EQ(checkpoint->stepTimer, 0.0f);
}

TEST_F(TickTest, LeftOverTimerIsCarriedAcrossTicks)
{
    BlockState* block = addSlidingBlock(0.012f);
    testBall.stepTimer = 0.012f;
    g.goalStepTimer = 0.012f;

    // Steps fall at 0.012, 0.017 and 0.022 s of the first tick.
    ASSERT_TRUE(advanceTick());
    EXPECT_EQ(block->position.x, slidAfter(3));
    EXPECT_EQ(g.goalAngle, 3.0f);
    EXPECT_NEAR(block->stepTimer, 0.002f, 1e-6f);
    EXPECT_NEAR(testBall.stepTimer, 0.002f, 1e-6f);

    // Over ten ticks (0.25 s) the steps at 0.012 + 0.005 k number 48: the
    // offset stays, the rate is still five per tick.
    for (int i = 0; i < 9; ++i) ASSERT_TRUE(advanceTick());
    EXPECT_EQ(block->position.x, slidAfter(48));
    EXPECT_EQ(g.goalAngle, 48.0f);
    EXPECT_NEAR(block->stepTimer, 0.002f, 1e-5f);
}

TEST_F(TickTest, TimerEqualToBudgetTakesNoStepAndEndsAtZero)
{
    BlockState* block = addSlidingBlock(0.025f);
    g.goalStepTimer = 0.025f;
    testBall.stepTimer = 0.025f;
    Vec3 ballBefore = testBall.position;

    ASSERT_TRUE(advanceTick());
    EXPECT_EQ(block->position.x, 0.0f);
    EXPECT_EQ(block->stepTimer, 0.0f);
    EXPECT_EQ(g.goalAngle, 0.0f);
    EXPECT_EQ(g.goalStepTimer, 0.0f);
    EXPECT_EQ(testBall.stepTimer, 0.0f);
    EXPECT_EQ(testBall.position.y, ballBefore.y);

    ASSERT_TRUE(advanceTick());
    EXPECT_EQ(block->position.x, slidAfter(5));
    EXPECT_EQ(g.goalAngle, 5.0f);
}

TEST_F(TickTest, EndScreenTickChangesNothingAndDoesNotRearm)
{
    BlockState* block = addSlidingBlock(0.0f);
    addSizeOrb(g, {0.0f, 0.0f, 0.0f}, 2);
    g.courseState.sizeOrbs[0] = {0.5f, true, 0.003f};
    const PulseState* orb = &g.courseState.sizeOrbs[0];
    testBall.stepTimer = 0.001f;
    g.gameState = EndScreen;
    Ball ballBefore = testBall;

    EXPECT_FALSE(advanceTick());
    EXPECT_EQ(block->position.x, 0.0f);
    EXPECT_EQ(block->stepTimer, 0.0f);
    EXPECT_EQ(orb->alpha, 0.5f);
    EXPECT_EQ(orb->stepTimer, 0.003f);
    EXPECT_EQ(testBall.stepTimer, ballBefore.stepTimer);
    EXPECT_EQ(testBall.position.y, ballBefore.position.y);
    EXPECT_EQ(g.goalAngle, 0.0f);
    EXPECT_EQ(g.gameState, EndScreen);
}

TEST_F(TickTest, GoalReachedMidTickFinishesThatTickThenStops)
{
    BlockState* block = addSlidingBlock(0.0f);
    // Put the ring on the ball: its first step reaches the goal.
    courseOf(g).goalPosition = {testBall.position.x, testBall.position.y + testBall.radius,
                    testBall.position.z};

    ASSERT_TRUE(advanceTick());
    EXPECT_EQ(g.gameState, EndScreen);
    // The rest of the tick still ran: the ball's other steps and the spin.
    EXPECT_EQ(testBall.stepTimer, 0.0f);
    EXPECT_EQ(g.goalAngle, 5.0f);

    EXPECT_FALSE(advanceTick());
    EXPECT_EQ(block->position.x, slidAfter(5));
    EXPECT_EQ(g.goalAngle, 5.0f);
}

TEST_F(TickTest, EventsAreThoseOfTheLastTickOnly)
{
    addFloor(0.5f);
    keys.jumpHeld = true;
    ASSERT_TRUE(advanceTick());
    EXPECT_EQ(plays(EventKind::Jump), 1);
    keys.jumpHeld = false;
    ASSERT_TRUE(advanceTick());
    EXPECT_TRUE(g.events.empty());
}

// A copy of a game is a snapshot: the original going on leaves it as it
// was, and the copy played the same way comes out the same, to the bit.
TEST(GameCopy, IsASnapshotThatReplaysIdentically)
{
    Game game = newGame(1);
    Controls keys;
    keys.moveForward = true;
    for (int i = 0; i < 50; ++i) advanceTick(game, keys);
    const Game snapshot = game;
    keys.jumpHeld = true;
    for (int i = 0; i < 200; ++i) advanceTick(game, keys);
    EXPECT_EQ(snapshot.ball.position.z, Game(snapshot).ball.position.z);
    EXPECT_NE(snapshot.ball.position.z, game.ball.position.z);

    Game again = snapshot;
    for (int i = 0; i < 200; ++i) advanceTick(again, keys);
    EXPECT_EQ(0, std::memcmp(&again.ball, &game.ball, sizeof(Ball)));
    ASSERT_EQ(again.courseState.blocks.size(), game.courseState.blocks.size());
    for (std::size_t i = 0; i < game.courseState.blocks.size(); ++i) {
        const BlockState& a = again.courseState.blocks[i];
        const BlockState& b = game.courseState.blocks[i];
        EXPECT_TRUE(a.position.x == b.position.x && a.position.y == b.position.y &&
                    a.position.z == b.position.z && a.velocity[0] == b.velocity[0] &&
                    a.velocity[1] == b.velocity[1] && a.velocity[2] == b.velocity[2] &&
                    a.stepTimer == b.stepTimer)
            << i;
    }
    EXPECT_EQ(again.courseState.sizeOrbs[0].alpha, game.courseState.sizeOrbs[0].alpha);
    EXPECT_EQ(again.courseState.checkpoints[2].pulse.alpha, game.courseState.checkpoints[2].pulse.alpha);
}

}  // namespace

namespace {

// A game played beside a leader takes the leader's blocks only when they are
// where its own would be, and its item pulses only when they also started
// from the same seed: in step it comes out exactly as if played alone, and
// out of step (a ghost started late, another seed) it works out its own.
TEST(GameBeside, ComesOutAsIfPlayedAlone)
{
    Controls leaderKeys;
    leaderKeys.moveForward = true;
    Controls keys;
    keys.moveRight = true;
    for (unsigned int leaderSeed : {3u, 1u}) {
        for (int late : {0, 7}) {
            Game leader = newGame(leaderSeed);
            for (int i = 0; i < late; ++i) advanceTick(leader, leaderKeys);
            Game beside = newGame(1);
            Game alone = newGame(1);
            for (int i = 0; i < 600; ++i) {
                advanceTick(leader, leaderKeys);
                advanceTickBeside(beside, keys, leader);
                advanceTick(alone, keys);
            }
            EXPECT_TRUE(beside == alone) << "seed " << leaderSeed << ", started " << late << " ticks late";
            EXPECT_NE(beside.ball, leader.ball);
        }
    }
}

}  // namespace

namespace {

// A game of any course starts with the ball on the course's start and
// every block, orb and checkpoint as the course starts it; the built-in
// course is one, shared by every game of it.
TEST(NewGame, StartsWhereItsCourseSays)
{
    Course made = generatedCourse(5, {40, 3, 4});
    made.start = {1.0f, 2.0f, 3.0f};
    const auto course = std::make_shared<const Course>(made);
    const Game game = newGame(course, 1);
    EXPECT_EQ(game.ball.position, made.start);
    EXPECT_EQ(game.checkpointPosition, made.start);
    ASSERT_EQ(game.courseState.blocks.size(), made.blocks.size());
    for (size_t i = 0; i < made.blocks.size(); ++i) {
        const Block& b = made.blocks[i];
        const Vec3 far{b.basePosition.x + b.travel.x, b.basePosition.y + b.travel.y, b.basePosition.z + b.travel.z};
        EXPECT_EQ(game.courseState.blocks[i].position, b.startAtBase ? b.basePosition : far) << i;
        EXPECT_EQ(game.courseState.blocks[i].velocity, b.velocity) << i;
    }
    EXPECT_EQ(game.courseState.sizeOrbs.size(), 3u);
    EXPECT_EQ(game.courseState.checkpoints, std::vector<CheckpointState>(4));
    EXPECT_EQ(*newGame(1).course, buildLevel()) << "without a course: the built-in one";
}

}  // namespace
