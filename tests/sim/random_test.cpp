// The game's own generator must draw what the C library's rand() draws
// after srand(seed), so a seed pulses the items as it always has.

#include <gtest/gtest.h>

#include <cstdlib>

#include "sim/random.h"

namespace {

TEST(Random, SameSequenceAsTheCLibrary)
{
    for (unsigned int seed : {0u, 1u, 2u, 12345u, 1796904000u, 4294967295u}) {
        std::srand(seed);
        Random random = seededRandom(seed);
        for (int i = 0; i < 2000; ++i) {
            ASSERT_EQ(nextRandom(random), std::rand()) << "seed " << seed << " draw " << i;
        }
    }
}

TEST(Random, ACopyRepeatsTheSameDraws)
{
    Random random = seededRandom(7);
    nextRandom(random);
    Random copy = random;
    for (int i = 0; i < 100; ++i) ASSERT_EQ(nextRandom(copy), nextRandom(random));
}

}  // namespace
