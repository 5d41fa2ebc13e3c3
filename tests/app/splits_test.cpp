// Split times: the arithmetic against the best run, what the overlay shows
// and for how long, and the fastest stretches.

#include <gtest/gtest.h>

#include "app/race/splits.h"

namespace {

TEST(Splits, ARunAgainstTheBestRunAtAMark)
{
    struct Case {
        int32_t run, best;
        bool compared;
        int64_t differenceMs;
        SplitLook look;
        const char* spelt;
    };
    const Case cases[] = {
        {100, 150, true, -1250, SplitLook::Ahead, "-1.25"},
        {170, 150, true, 500, SplitLook::Behind, "+0.50"},
        {150, 150, true, 0, SplitLook::Plain, "0.00"},
        // One tick apart is never shown as even: 0:00.02 against 0:00.05.
        {1, 2, true, -30, SplitLook::Ahead, "-0.03"},
        {144001, 1, true, 3600000, SplitLook::Behind, "+3600.00"},
        // A mark the best run never reached, or this run has not.
        {100, 0, false, 0, SplitLook::Plain, ""},
        {0, 100, false, 0, SplitLook::Plain, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.run) + " against " + std::to_string(c.best));
        const Split split = splitAt(c.run, c.best);
        EXPECT_EQ(split.compared, c.compared);
        EXPECT_EQ(split.differenceMs, c.differenceMs);
        EXPECT_EQ(split.look, c.look);
        if (c.compared) {
            EXPECT_EQ(spellDifference(split.differenceMs), c.spelt);
        }
    }
}

TEST(Splits, TheOverlayShowsTheLatestMarkForThreeSecondsAndTheRingForGood)
{
    const RunMarks best{{150, 400, 0}, 1000};
    struct Case {
        RunMarks run;
        int32_t now;
        bool withBest;
        std::optional<SplitLine> shown;
    };
    const Case cases[] = {
        {{{0, 0, 0}, 0}, 10, true, std::nullopt},
        {{{100, 0, 0}, 0}, 100, true, SplitLine{"checkpoint 1   0:02.50   -1.25", SplitLook::Ahead}},
        {{{100, 0, 0}, 0}, 219, true, SplitLine{"checkpoint 1   0:02.50   -1.25", SplitLook::Ahead}},
        {{{100, 0, 0}, 0}, 220, true, std::nullopt},
        {{{100, 0, 0}, 0}, 100, false, SplitLine{"checkpoint 1   0:02.50", SplitLook::Plain}},
        {{{100, 420, 0}, 0}, 430, true, SplitLine{"checkpoint 2   0:10.50   +0.50", SplitLook::Behind}},
        // The best run passed checkpoint 3 by: the time alone.
        {{{100, 420, 600}, 0}, 600, true, SplitLine{"checkpoint 3   0:15.00", SplitLook::Plain}},
        {{{100, 420, 600}, 990}, 990, true, SplitLine{"ring   0:24.75   -0.25", SplitLook::Ahead}},
        {{{100, 420, 600}, 1000}, 99999, true, SplitLine{"ring   0:25.00   0.00", SplitLook::Plain}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.now);
        EXPECT_EQ(currentSplit(c.run, c.withBest ? &best : nullptr, c.now), c.shown);
    }
}

TEST(Splits, TheFastestStretchesAndWhatTheyAddUpTo)
{
    struct Case {
        RunMarks run;
        std::vector<int64_t> stretches;
    };
    const Case cases[] = {
        {{{100, 300, 600}, 1000}, {2500, 5000, 7500, 10000}},
        {{{100, 0, 600}, 1000}, {2500, 0, 0, 10000}},        // checkpoint 2 passed by
        {{{100, 700, 600}, 1000}, {2500, 15000, 0, 10000}},  // 3 before 2
        {{{100, 0, 0}, 0}, {2500, 0, 0, 0}},                 // never finished
    };
    for (const Case& c : cases) EXPECT_EQ(stretchTimes(c.run), c.stretches);

    std::vector<int64_t> fastest;
    keepFastestStretches(fastest, cases[3].run);
    EXPECT_EQ(fastest, cases[3].stretches) << "sized to the course";
    EXPECT_EQ(sumOfFastest(fastest), 0) << "not every stretch has a time yet";
    fastest = {3000, 0, 8000, 9000};
    keepFastestStretches(fastest, cases[0].run);
    EXPECT_EQ(fastest, (std::vector<int64_t>{2500, 5000, 7500, 9000}));
    EXPECT_EQ(sumOfFastest(fastest), 24000);
    keepFastestStretches(fastest, cases[2].run);
    EXPECT_EQ(fastest, (std::vector<int64_t>{2500, 5000, 7500, 9000})) << "a slower run changes nothing";
    EXPECT_EQ(sumOfFastest({}), 0);
}

}  // namespace
