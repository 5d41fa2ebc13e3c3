// The software rasterizer's thread count: the game's choice by graphics
// setting, never over the player's own.

#include <gtest/gtest.h>

#include <string>

#include "app/desktop/rasterizer_threads.h"

TEST(RasterizerThreads, TheGameChoosesOnlyWhereThePlayerHasNot)
{
    const struct {
        const char* players;
        bool fast;
        std::string chosen;   // empty: left alone
    } cases[] = {{nullptr, true, "1"}, {"", true, "1"}, {nullptr, false, ""}, {"2", true, ""}, {"0", false, ""}};
    for (const auto& c : cases) {
        const char* chosen = rasterizerThreadsFor(c.players, c.fast);
        EXPECT_EQ(chosen ? chosen : "", c.chosen) << (c.players ? c.players : "unset") << (c.fast ? ", fast" : "");
    }
}
