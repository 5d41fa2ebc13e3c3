// The simulation's own sine and cosine: the same bits on every build is
// only worth having if they are also the right bits.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "sim/trig.h"

namespace {

// The float nearest the true value, from the long double functions (64-bit
// significand: the rounding to float is then right for every input here).
float roundedSin(float x)
{
    return static_cast<float>(std::sin(static_cast<long double>(x)));
}

float roundedCos(float x)
{
    return static_cast<float>(std::cos(static_cast<long double>(x)));
}

// Every angle the game turns by is a float of degrees times pi/180: four
// full turns either way in steps far finer than any the game takes, across
// each quadrant's edges.
TEST(Trig, CorrectlyRoundedAcrossTheGamesAngles)
{
    int wrong = 0;
    for (int step = -1440000; step <= 1440000; step += 7) {
        const float x = static_cast<float>(step / 1000.0 * 3.14159265358979323846 / 180.0);
        float sine = 0.0f;
        float cosine = 0.0f;
        portableSinCos(x, sine, cosine);
        if (portableSin(x) != roundedSin(x) || portableCos(x) != roundedCos(x) || sine != roundedSin(x) ||
            cosine != roundedCos(x)) {
            if (++wrong < 5) ADD_FAILURE() << "at " << x;
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST(Trig, ExactAndSignedWhereTheValueIsKnown)
{
    struct Case {
        float x, sin, cos;
    };
    const Case cases[] = {
        {0.0f, 0.0f, 1.0f},
        {1.0e-30f, 1.0e-30f, 1.0f},
        {-1.0e-30f, -1.0e-30f, 1.0f},
        {1.5707964f, 1.0f, roundedCos(1.5707964f)},
        {3.1415927f, roundedSin(3.1415927f), -1.0f},
        {-1.5707964f, -1.0f, roundedCos(-1.5707964f)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(portableSin(c.x), c.sin) << c.x;
        EXPECT_EQ(portableCos(c.x), c.cos) << c.x;
    }
    EXPECT_TRUE(std::signbit(portableSin(-0.0f)));
    float sine = 0.0f;
    float cosine = 0.0f;
    portableSinCos(-0.0f, sine, cosine);
    EXPECT_TRUE(std::signbit(sine) && cosine == 1.0f);
}

// Large arguments, still in reach, keep to the rounded value; beyond reach
// and for what is no number the answer is NaN, never a made-up angle.
TEST(Trig, LargeAndMeaninglessArguments)
{
    // 6588396 is the last float short of 2^22 quarter turns; 6588397 rounds
    // to 2^22 of them, the first out of reach.
    for (const float x : {1000.0f, -12345.678f, 1.0e6f, 6.0e6f, 6588396.0f, -6588396.0f}) {
        EXPECT_EQ(portableSin(x), roundedSin(x)) << x;
        EXPECT_EQ(portableCos(x), roundedCos(x)) << x;
    }
    for (const float x : {6588397.0f, 1.0e7f, -1.0e30f, std::numeric_limits<float>::infinity(),
                          std::numeric_limits<float>::quiet_NaN()}) {
        EXPECT_TRUE(std::isnan(portableSin(x))) << x;
        EXPECT_TRUE(std::isnan(portableCos(x))) << x;
        float sine = 0.0f;
        float cosine = 0.0f;
        portableSinCos(x, sine, cosine);
        EXPECT_TRUE(std::isnan(sine) && std::isnan(cosine)) << x;
    }
}

}  // namespace
