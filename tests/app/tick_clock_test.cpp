// Game time on the wall clock: which ticks a timer callback runs.

#include <gtest/gtest.h>

#include <vector>

#include "app/play/tick_clock.h"

namespace {

struct Callback {
    double atMs;
    int ticks;          // run by this callback
    unsigned int wait;  // then milliseconds until the next tick is due
};

TEST(TickClock, EachCallbackRunsTheTicksDueSinceTheLast)
{
    struct Case {
        const char* name;
        std::vector<Callback> callbacks;  // the clock starts at 1000
    };
    const Case cases[] = {
        {"on time", {{1025, 1, 25}, {1050, 1, 25}, {1075, 1, 25}}},
        {"a little late", {{1027, 1, 23}, {1051, 1, 24}}},
        {"early, then on time", {{1010, 0, 15}, {1024.5, 0, 1}, {1025, 1, 25}}},
        // Slow frames run the ticks due: 8 ticks in 205 ms, as on time.
        {"frames of 60 ms", {{1025, 1, 25}, {1085, 2, 15}, {1145, 2, 5}, {1205, 3, 20}}},
        // A second's stall runs a few ticks and drops the rest; the next
        // tick is then a whole tick away.
        {"a stall", {{1025, 1, 25}, {2000, mostTicksPerCallback, 25}, {2025, 1, 25}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TickClock clock = startTickClock(1000.0);
        for (const Callback& callback : c.callbacks) {
            SCOPED_TRACE(callback.atMs);
            EXPECT_EQ(takeTicksOwed(clock, callback.atMs), callback.ticks);
            EXPECT_EQ(millisecondsToNextTick(clock, callback.atMs), callback.wait);
        }
    }
}

}  // namespace
