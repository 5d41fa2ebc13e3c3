// The software rasterizer's thread count: the game's choice by graphics
// setting, never over the player's own.

#include <gtest/gtest.h>

#include <string>

#include "app/desktop/rasterizer_threads.h"

namespace {

TEST(RasterizerThreads, TheGameChoosesOnlyWhereThePlayerHasNot)
{
    const struct {
        const char* players;
        bool fast;
        const char* chosen;   // nullptr: left alone
    } cases[] = {
        {nullptr, true, "1"},
        {"", true, "1"},
        {nullptr, false, nullptr},
        {"2", true, nullptr},
        {"0", false, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.players ? c.players : "unset") << (c.fast ? ", fast" : ", full"));
        const char* chosen = rasterizerThreadsFor(c.players, c.fast);
        EXPECT_EQ(chosen == nullptr, c.chosen == nullptr);
        if (chosen && c.chosen) {
            EXPECT_EQ(std::string(chosen), c.chosen);
        }
    }
}

}  // namespace
