#include "tools/mediagen/sky.h"

#include "tools/mediagen/noise.h"

#include <algorithm>
#include <cmath>

constexpr float h = 0.5f;

const SkyCorner skyFaceCorners[6][4] = {
    {{0, 0, {h, -h, -h}}, {1, 0, {-h, -h, -h}}, {1, 1, {-h, h, -h}}, {0, 1, {h, h, -h}}},
    {{0, 0, {h, -h, h}}, {1, 0, {h, -h, -h}}, {1, 1, {h, h, -h}}, {0, 1, {h, h, h}}},
    {{0, 0, {-h, -h, h}}, {1, 0, {h, -h, h}}, {1, 1, {h, h, h}}, {0, 1, {-h, h, h}}},
    {{0, 0, {-h, -h, -h}}, {1, 0, {-h, -h, h}}, {1, 1, {-h, h, h}}, {0, 1, {-h, h, -h}}},
    {{1, 1, {-h, h, -h}}, {0, 1, {-h, h, h}}, {0, 0, {h, h, h}}, {1, 0, {h, h, -h}}},
    {{1, 0, {-h, -h, -h}}, {0, 0, {-h, -h, h}}, {0, 1, {h, -h, h}}, {1, 1, {h, -h, -h}}},
};

SkyPoint skyCubePoint(int face, float s, float t)
{
    SkyPoint p;
    for (const SkyCorner& c : skyFaceCorners[face]) {
        const float w = (c.s > 0.5f ? s : 1 - s) * (c.t > 0.5f ? t : 1 - t);
        p.x += w * c.vertex.x;
        p.y += w * c.vertex.y;
        p.z += w * c.vertex.z;
    }
    return p;
}

namespace {

SkyPoint normalised(SkyPoint p)
{
    const float len = std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z);
    return {p.x / len, p.y / len, p.z / len};
}

// Ahead and to the left of the start view, low enough to warm the horizon.
const SkyPoint sunDirection = normalised({-0.42f, 0.30f, -0.85f});
const Colour horizon = rgb255(206, 222, 240);
const Colour zenith = rgb255(46, 102, 196);

Colour upperSky(SkyPoint d, float sunCos)
{
    const float e = d.y;
    Colour c = mix(horizon, zenith, std::pow(std::max(e, 0.0f), 0.55f));
    // Clouds live on a layer above: the projection flattens them towards
    // the horizon, as real cloud fields look.
    const float lift = e + 0.10f;
    const float px = d.x / lift * 0.9f, pz = d.z / lift * 0.9f;
    const float shape = fractalNoise(px, pz, 0.37f, 501, 5, 0.5f);
    const float detail = fractalNoise(px * 3.1f, pz * 3.1f, 4.2f, 502, 3, 0.5f);
    const float density = smoothStep(0.02f, 0.30f, shape + 0.12f * detail);
    const float fadeOut = smoothStep(0.0f, 0.22f, e);
    const float sunSide = std::max(0.0f, sunCos);
    const Colour cloudLit = mix(rgb255(246, 246, 250), rgb255(255, 244, 222), sunSide * sunSide);
    const Colour cloudShade = rgb255(178, 188, 206);
    const Colour cloud = mix(cloudShade, cloudLit, smoothStep(-0.1f, 0.35f, shape + 0.3f * detail));
    c = mix(c, cloud, density * fadeOut * 0.92f);
    return c;
}

Colour lowerSky(SkyPoint d)
{
    // A sea of clouds far below, lost in haze towards the horizon; deep
    // blue shows through the gaps.
    const float e = -d.y;
    const float sink = e + 0.06f;
    const float px = d.x / sink * 0.8f, pz = d.z / sink * 0.8f;
    auto puff = [](float x, float z) { return smoothStep(-0.35f, 0.45f, fractalNoise(x, z, 7.7f, 601, 4, 0.5f)); };
    const float billow = puff(px, pz);
    // Lit from the sun's side: compare with a sample nudged towards it.
    const float lit = billow - puff(px + 0.05f * sunDirection.x, pz + 0.05f * sunDirection.z);
    const float gaps = fractalNoise(px * 0.4f, pz * 0.4f, 1.9f, 602, 3, 0.5f);
    const float cover = smoothStep(-0.12f, 0.06f, gaps + 0.3f * (billow - 0.5f));
    const Colour deep = rgb255(30, 52, 96);
    Colour tops = mix(rgb255(132, 150, 184), rgb255(240, 242, 248), smoothStep(0.1f, 0.9f, billow));
    tops = tops * (1.0f + std::clamp(lit * 3.0f, -0.18f, 0.12f));
    Colour c = mix(deep, tops, cover);
    const float haze = std::exp(-e * 4.0f);
    return mix(c, horizon * 0.96f, haze);
}

} // namespace

Colour skyColour(SkyPoint direction)
{
    const SkyPoint d = normalised(direction);
    const float sunCos = d.x * sunDirection.x + d.y * sunDirection.y + d.z * sunDirection.z;
    // Blend the two halves over a thin band so the horizon has no crease.
    const float band = 0.02f;
    Colour c;
    if (d.y >= band)
        c = upperSky(d, sunCos);
    else if (d.y <= -band)
        c = lowerSky(d);
    else {
        const float w = (d.y + band) / (2 * band);
        c = mix(lowerSky(d), upperSky(d, sunCos), smoothStep(0.0f, 1.0f, w));
    }
    // Glow, halo and the sun's disc.
    const float s = std::max(0.0f, sunCos);
    const Colour warm = rgb255(255, 226, 170);
    c = c + warm * (0.22f * std::pow(s, 12.0f) + 0.35f * std::pow(s, 90.0f));
    const float disc = smoothStep(0.99945f, 0.99965f, sunCos);
    c = mix(c, rgb255(255, 252, 238), disc);
    return c;
}

Picture makeSkyFace(int face, int size)
{
    Picture p = makePicture(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const float s = static_cast<float>(x) / (size - 1);
            const float t = static_cast<float>(size - 1 - y) / (size - 1); // bottom row is t = 0
            setPixel(p, x, y, skyColour(skyCubePoint(face, s, t)));
        }
    return p;
}
