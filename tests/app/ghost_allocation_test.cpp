// A tick of a race allocates nothing: the player's tick, its marks and its
// script noted, and the ghost's tick beside it. Counted by replacing the
// global allocator in this test program alone.

#include <gtest/gtest.h>

#include "app/race/ghost.h"
#include "app/script/run_script.h"

#include "tests/support/allocation_count.h"

namespace {

TEST(RaceAllocations, NoneInATickWithAGhost)
{
    Ghost ghost;
    bool missing = false;
    ASSERT_EQ(loadGhost(ROUTE_PATH, ghost, missing), "");
    Game game = newScriptGame();
    RunMarks marks = startMarks(*game.course);
    RunScript run;
    Controls keys;
    keys.moveForward = true;
    keys.jumpHeld = true;
    // The first events of each kind may grow the games' event lists once.
    for (int i = 0; i < 400; ++i) advanceTick(game, keys), advanceGhost(ghost), noteRunTick(run);
    const long long before = allocationCount;
    // On through checkpoint 1, the runway and the lifts of the route.
    for (int i = 0; i < 6000; ++i) {
        keys.moveRight = (i / 100) % 2 == 0;
        keys.moveLeft = !keys.moveRight;
        advanceTick(game, keys);
        noteMarks(marks, game);
        noteRunTick(run);
        advanceGhost(ghost);
    }
    EXPECT_EQ(allocationCount - before, 0);
    EXPECT_GT(ghost.game.ticksPlayed, 6000);
    EXPECT_NE(ghost.game.courseState.checkpoints, newScriptGame().courseState.checkpoints) << "the ghost passed a checkpoint";
    EXPECT_GT(before, 0) << "the counting allocator is not in use";
}

}  // namespace
