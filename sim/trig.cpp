#include "sim/trig.h"

#include <cmath>
#include <limits>

namespace {

// pi/2 in two parts: the first has its low bits clear, so that k times it
// is exact for every quadrant count k below 2^22.
constexpr double halfPiHigh = 1.5707963267341256;
constexpr double halfPiLow = 6.077100506506192e-11;
constexpr double twoOverPi = 0.63661977236758134;
constexpr double largestQuadrants = 4194304.0;  // 2^22
// Added to a double below 2^51 in size and taken off again, this leaves the
// nearest whole number, ties to even, as nearbyint does in the default
// rounding: the sum lands where doubles are whole numbers. It saves a call
// into the C library for every angle the ball turns by.
constexpr double roundingShift = 6755399441055744.0;  // 1.5 * 2^52
constexpr double largestShifted = 2251799813685248.0;  // 2^51

// Taylor series on |r| <= pi/4, far enough that the first term left out is
// below a double's rounding: the float made from them is then the rounded
// true value.
inline double sinNear(double r)
{
    const double r2 = r * r;
    double sum = 1.0 / 355687428096000.0;           // 1/17!
    sum = sum * r2 - 1.0 / 1307674368000.0;         // 1/15!
    sum = sum * r2 + 1.0 / 6227020800.0;            // 1/13!
    sum = sum * r2 - 1.0 / 39916800.0;              // 1/11!
    sum = sum * r2 + 1.0 / 362880.0;                // 1/9!
    sum = sum * r2 - 1.0 / 5040.0;                  // 1/7!
    sum = sum * r2 + 1.0 / 120.0;                   // 1/5!
    sum = sum * r2 - 1.0 / 6.0;                     // 1/3!
    return r == 0.0 ? r : r + r * r2 * sum;
}

inline double cosNear(double r)
{
    const double r2 = r * r;
    double sum = 1.0 / 6402373705728000.0;          // 1/18!
    sum = sum * r2 - 1.0 / 20922789888000.0;        // 1/16!
    sum = sum * r2 + 1.0 / 87178291200.0;           // 1/14!
    sum = sum * r2 - 1.0 / 479001600.0;             // 1/12!
    sum = sum * r2 + 1.0 / 3628800.0;               // 1/10!
    sum = sum * r2 - 1.0 / 40320.0;                 // 1/8!
    sum = sum * r2 + 1.0 / 720.0;                   // 1/6!
    sum = sum * r2 - 1.0 / 24.0;                    // 1/4!
    sum = sum * r2 + 0.5;
    return 1.0 - r2 * sum;
}

// x = k pi/2 + r with |r| <= pi/4 (a hair more at the edges, which the
// series covers); the quadrant is k mod 4. False when x is out of reach.
bool reduce(float x, double& r, int& quadrant)
{
    const double d = x;
    const double quadrants = d * twoOverPi;
    if (!(std::fabs(quadrants) < largestShifted)) return false;
    const double k = (quadrants + roundingShift) - roundingShift;
    if (!(std::fabs(k) < largestQuadrants)) return false;
    // In the first quadrant x is taken as it is, so a zero keeps its sign
    // (sin(-0) is -0, as the C library has it).
    r = k == 0.0 ? d : (d - k * halfPiHigh) - k * halfPiLow;
    quadrant = static_cast<int>(static_cast<long long>(k) & 3);
    return true;
}

}  // namespace

float portableSin(float x)
{
    double r = 0.0;
    int quadrant = 0;
    if (!reduce(x, r, quadrant)) return std::numeric_limits<float>::quiet_NaN();
    switch (quadrant) {
    case 0: return static_cast<float>(sinNear(r));
    case 1: return static_cast<float>(cosNear(r));
    case 2: return static_cast<float>(-sinNear(r));
    default: return static_cast<float>(-cosNear(r));
    }
}

void portableSinCos(float x, float& sine, float& cosine)
{
    double r = 0.0;
    int quadrant = 0;
    if (!reduce(x, r, quadrant)) {
        sine = cosine = std::numeric_limits<float>::quiet_NaN();
        return;
    }
    const float s = static_cast<float>(sinNear(r));
    const float c = static_cast<float>(cosNear(r));
    switch (quadrant) {
    case 0: sine = s; cosine = c; return;
    case 1: sine = c; cosine = -s; return;
    case 2: sine = -s; cosine = -c; return;
    default: sine = -c; cosine = s; return;
    }
}

float portableCos(float x)
{
    double r = 0.0;
    int quadrant = 0;
    if (!reduce(x, r, quadrant)) return std::numeric_limits<float>::quiet_NaN();
    switch (quadrant) {
    case 0: return static_cast<float>(cosNear(r));
    case 1: return static_cast<float>(-sinNear(r));
    case 2: return static_cast<float>(-cosNear(r));
    default: return static_cast<float>(sinNear(r));
    }
}
