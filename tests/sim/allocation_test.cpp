// A tick allocates nothing: the game's lists are sized at start-up and the
// events of a tick reuse their storage. Counted by replacing the global
// allocator in this test program alone.

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "sim/game.h"

#include "tests/support/allocation_count.h"

namespace {

TEST(TickAllocations, NoneOnceTheGameIsRunning)
{
    Game game = newGame(1);
    Controls keys;
    // Jumps, landings, a fall and a respawn: every kind of event the start
    // can make. The first of each may grow the event list once.
    keys.moveForward = true;
    keys.jumpHeld = true;
    for (int i = 0; i < 400; ++i) advanceTick(game, keys);
    const long long before = allocationCount;
    for (int i = 0; i < 2000; ++i) {
        keys.moveRight = (i / 100) % 2 == 0;
        keys.moveLeft = !keys.moveRight;
        advanceTick(game, keys);
    }
    EXPECT_EQ(allocationCount - before, 0);
    EXPECT_GT(before, 0) << "the counting allocator is not in use";
}

}  // namespace
