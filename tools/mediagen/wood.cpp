#include "tools/mediagen/noise.h"
#include "tools/mediagen/pictures.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float pi = 3.14159265358979f;

struct WoodStyle {
    Colour early;       // light wood between rings
    Colour late;        // dark ring wood
    int planks;         // boards across the picture; 0 = one slab
    float ringsAcross;  // ring density across a board
    float arch;         // how deep the cathedral arches are (0 = straight grain)
    float warp;         // how wavy the grain is
    int knotsPerPlank;
    float pores;        // strength of fine dark flecks along the grain
    bool buttJoints;    // boards made of two lengths
    bool endGrain;      // blocks cut across the log instead of along it
    std::uint32_t seed;
};

const WoodStyle styles[6] = {
    // pine: pale, soft rings in tall arches, a knot per board
    {rgb255(238, 206, 152), rgb255(200, 140, 76), 4, 13.0f, 1.0f, 0.5f, 1, 0.08f, false, false, 11},
    // oak: honey brown, open pores, tight arches
    {rgb255(204, 158, 104), rgb255(140, 92, 50), 3, 20.0f, 0.8f, 0.6f, 0, 0.50f, false, false, 23},
    // walnut: one dark slab with wavy, flowing grain
    {rgb255(138, 92, 60), rgb255(70, 42, 26), 0, 24.0f, 0.0f, 2.2f, 0, 0.25f, false, false, 37},
    // cherry: red, tight straight stripes
    {rgb255(198, 104, 66), rgb255(140, 58, 36), 2, 30.0f, 0.0f, 0.3f, 0, 0.15f, false, false, 41},
    // weathered boards: grey, strong rings, knots, joints
    {rgb255(192, 186, 174), rgb255(110, 104, 96), 5, 9.0f, 1.3f, 0.6f, 2, 0.30f, true, false, 53},
    // end grain: amber blocks showing the log's rings
    {rgb255(224, 170, 102), rgb255(170, 106, 52), 2, 20.0f, 0.0f, 0.3f, 0, 0.20f, false, true, 67},
};

float ringShade(float ring)
{
    // Earlywood fades into a dark latewood band that ends sharply at the
    // next growth ring.
    const float p = ring - std::floor(ring);
    return smoothStep(0.45f, 0.9f, p) * (1.0f - smoothStep(0.92f, 1.0f, p));
}

float wrappedDelta(float a, float b)
{
    float d = a - b;
    return d - std::round(d);
}

struct Knot {
    float u, w;
};

// The shape of one board as it came out of the log.
struct Board {
    float depth, centre, phase;
    Knot knots[4];
};

Board makeBoard(std::uint32_t seed, int knots)
{
    Board b{0.15f + 0.5f * hashUnit(seed, 1), 0.2f + 0.6f * hashUnit(seed, 2), 2 * pi * hashUnit(seed, 3), {}};
    for (int k = 0; k < knots && k < 4; ++k)
        b.knots[k] = {hashUnit(seed, 10 + k), 0.25f + 0.5f * hashUnit(seed, 20 + k)};
    return b;
}

// Ring coordinate and knot darkness of a board cut along the log.
void boardGrain(const WoodStyle& st, float u, float w, std::uint32_t seed, float& ring, float& knotDark)
{
    const Board b = makeBoard(seed, st.knotsPerPlank);
    const float wiggle = st.warp * fractalNoise(u * 3, w * 2, 0.5f, seed, 4, 0.5f, 3, 0);
    const float across = w - b.centre + 0.08f * std::sin(2 * pi * u + b.phase);
    const float radius = std::sqrt(b.depth * b.depth + st.arch * across * across);
    ring = st.ringsAcross * (st.arch > 0 ? radius : w) + wiggle + 1.6f * st.arch * std::sin(2 * pi * u + b.phase);
    knotDark = 0;
    for (int k = 0; k < st.knotsPerPlank && k < 4; ++k) {
        const float du = wrappedDelta(u, b.knots[k].u) / 0.05f, dw = (w - b.knots[k].w) / 0.16f;
        const float d2 = du * du + dw * dw;
        ring += 2.2f * std::exp(-d2 * 0.5f);
        knotDark = std::max(knotDark, std::exp(-d2 * 6.0f));
    }
}

Colour woodTexel(const WoodStyle& st, float u, float v, int size)
{
    const float texel = 1.0f / size;
    float ring = 0, knotDark = 0, seamDark = 0;
    std::uint32_t pieceSeed = st.seed;
    float grainU = u, grainV = v;
    if (st.endGrain) {
        const int n = std::max(st.planks, 1);
        const int bx = std::min(static_cast<int>(u * n), n - 1), by = std::min(static_cast<int>(v * n), n - 1);
        pieceSeed = hashInts(st.seed, bx, by);
        const float lx = u * n - bx, ly = v * n - by;
        const float cx = -0.3f + 1.6f * hashUnit(pieceSeed, 1), cy = -0.3f + 1.6f * hashUnit(pieceSeed, 2);
        const float dx = lx - cx, dy = ly - cy;
        const float angle = std::atan2(dy, dx);
        const float r = std::sqrt(dx * dx + dy * dy);
        ring = st.ringsAcross * r + st.warp * fractalNoise(lx * 4, ly * 4, 1.5f, pieceSeed, 3);
        // Rays and a few drying checks running out from the pith.
        const float ray = std::pow(std::fabs(std::sin(angle * 37 + 3 * fractalNoise(r * 3, 0, 0, pieceSeed, 2))), 40.0f);
        knotDark = 0.10f * ray;
        const float edge = std::min({lx, 1 - lx, ly, 1 - ly}) / n;
        seamDark = 1.0f - smoothStep(0.0f, 2.5f * texel, edge);
        grainU = r;
        grainV = angle / (2 * pi);
    } else if (st.planks > 0) {
        const int plank = std::min(static_cast<int>(v * st.planks), st.planks - 1);
        const float w = v * st.planks - plank;
        pieceSeed = hashInts(st.seed, plank);
        float along = u;
        if (st.buttJoints) {
            const float joint = hashUnit(pieceSeed, 99);
            const float du = wrappedDelta(u, joint);
            pieceSeed = hashInts(pieceSeed, du < 0 ? 1 : 2);
            seamDark = std::max(seamDark, 1.0f - smoothStep(0.0f, 2.0f * texel, std::fabs(du)));
        }
        boardGrain(st, along, w, pieceSeed, ring, knotDark);
        const float edge = std::min(w, 1 - w) / st.planks;
        seamDark = std::max(seamDark, 1.0f - smoothStep(0.0f, 2.5f * texel, edge));
    } else {
        // One slab: the ring coordinate must wrap across v as well.
        ring = st.ringsAcross * v + st.warp * fractalNoise(u * 2, v * 3, 2.5f, st.seed, 3, 0.35f, 2, 3);
    }

    // Fine fibres along the grain and open pores.
    const float fibre = fractalNoise(grainU * 4, grainV * 96, 7.5f, st.seed + 5, 3, 0.6f, 4, 96);
    const float pore = std::max(0.0f, gradientNoise(grainU * 32, grainV * 220, 3.0f, st.seed + 9, 32, 220) - 0.25f);
    const float broad = fractalNoise(u * 2, v * 2, 4.5f, pieceSeed + 3, 2, 0.5f, 2, 2);

    float dark = 0.80f * ringShade(ring) + 0.30f * fibre + st.pores * pore * 1.6f;
    Colour c = mix(st.early, st.late, std::clamp(dark, 0.0f, 1.0f));
    c = c * (1.0f + 0.10f * broad + 0.06f * (hashUnit(pieceSeed, 7) - 0.5f));
    c = mix(c, st.late * 0.55f, std::clamp(knotDark, 0.0f, 1.0f));
    c = mix(c, st.late * 0.35f, seamDark * 0.85f);
    return c;
}

} // namespace

Picture makeWood(int variant, int size)
{
    const WoodStyle& st = styles[std::clamp(variant, 1, 6) - 1];
    return paintPicture(size, size, [&st, size](float u, float v) { return woodTexel(st, u, v, size); });
}
