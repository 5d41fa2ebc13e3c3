// The ticks-due loop as any front end drives it: the clock's owed ticks, the
// pause, the stop at the end and the restart, with no window at all.

#include <gtest/gtest.h>

#include "app/play/tick_loop.h"
#include "sim/timing.h"

namespace {

struct Driven {
    Play play = startPlay(newScriptGame());
    TickLoop loop;
    int played = 0;
    int playable = 1000000;  // ticks before playTick says there is nothing left

    int at(double nowMs)
    {
        return playDueTicks(loop, play, nowMs, [this] {
            if (played == playable) return false;
            ++played;
            return true;
        });
    }
};

TEST(TickLoop, PlaysTheOwedTicksAtMostFourAtATime)
{
    Driven d;
    startTickLoop(d.loop, 1000.0);
    const struct {
        double nowMs;
        int owed;
        int played;
    } steps[] = {
        {1000.0, 0, 0}, {1024.9, 0, 0}, {1025.0, 1, 1}, {1100.0, 3, 4},
        {1100.0, 0, 4}, {5000.0, 4, 8},  // a stall: four, and the rest dropped
        {5024.0, 0, 8}, {5026.0, 1, 9},
    };
    for (const auto& s : steps) {
        EXPECT_EQ(d.at(s.nowMs), s.owed) << s.nowMs;
        EXPECT_EQ(d.played, s.played) << s.nowMs;
    }
}

TEST(TickLoop, PausedTicksAreTakenAndNeverMadeUp)
{
    Driven d;
    startTickLoop(d.loop, 0.0);
    d.at(50.0);
    ASSERT_EQ(d.played, 2);
    d.play.paused = true;
    EXPECT_EQ(d.at(100.0), 0);
    EXPECT_EQ(d.played, 2);
    d.play.paused = false;
    EXPECT_EQ(d.at(125.0), 1) << "only the tick due since the pause ended";
    EXPECT_EQ(d.played, 3);
}

TEST(TickLoop, StopsWhenNothingIsLeftUntilARestart)
{
    Driven d;
    d.playable = 2;
    startTickLoop(d.loop, 0.0);
    EXPECT_FALSE(restartTickLoop(d.loop, 0.0)) << "a running loop needs no new start";
    d.at(100.0);
    EXPECT_EQ(d.played, 2);
    EXPECT_FALSE(d.loop.running);
    EXPECT_EQ(d.at(200.0), 0) << "a stopped loop takes nothing";
    d.playable = 3;
    EXPECT_TRUE(restartTickLoop(d.loop, 1000.0));
    EXPECT_TRUE(d.loop.running);
    EXPECT_EQ(d.at(1030.0), 1) << "counted from the restart, not from the start";
    EXPECT_EQ(d.played, 3);
}

TEST(TickLoop, TheTickThatReachesTheRingSaysSoOnce)
{
    Play play = startPlay(newScriptGame());
    const Vec3 goal = play.game.course->goalPosition;
    play.game.ball.position = {goal.x, goal.y - play.game.ball.radius, goal.z};
    const GameTick reached = advancePlay(play);
    EXPECT_TRUE(reached.ticked);
    EXPECT_TRUE(reached.goalReached);
    const GameTick after = advancePlay(play);
    EXPECT_FALSE(after.ticked) << "the end screen is up";
    EXPECT_FALSE(after.goalReached);
}

TEST(PlayPointer, OnlyMovesThatTurnTheViewAreRecorded)
{
    Play play = startPlay(newScriptGame());
    const struct {
        bool mouseLook;
        bool paused;
        int x, y;
        bool record, warp;
    } cases[] = {
        {false, false, 700, 500, false, true},  // mouse look off: the pointer is only put back
        {true, false, 640, 512, false, false},  // our own warp coming back
        {true, false, 700, 512, true, true},
        {true, false, 640, 600, true, true},
        {true, true, 700, 600, false, false},   // paused: the view stays
    };
    for (const auto& c : cases) {
        play.input.mouseLookDisabled = !c.mouseLook;
        play.paused = c.paused;
        const Camera before = play.game.camera;
        const PointerOutcome outcome = movePlayPointer(play, c.x, c.y, 1280, 1024);
        EXPECT_EQ(outcome.record, c.record) << c.x << "," << c.y;
        EXPECT_EQ(outcome.warp, c.warp) << c.x << "," << c.y;
        EXPECT_EQ(play.game.camera != before, c.record) << c.x << "," << c.y;
    }
}

}  // namespace
