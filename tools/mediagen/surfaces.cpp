#include "tools/mediagen/noise.h"
#include "tools/mediagen/pictures.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr float pi = 3.14159265358979f;

// Distance from the picture's border in [0, 0.5], for frames and bevels.
float borderDistance(float u, float v) { return std::min({u, 1 - u, v, 1 - v}); }

Colour metalTexel(float u, float v)
{
    // Brushed steel: fine streaks that run the whole way along u, and a soft
    // sheen across v. Nothing has a shape of its own (no rivets, frame or
    // scratches), so a long face that stretches the picture many times over
    // still shows brushed metal, never smeared ovals.
    const float streak = fractalNoise(u * 2, v * 180, 0.5f, 301, 4, 0.55f, 2, 180);
    const float fine = gradientNoise(u * 8, v * 512, 1.5f, 302, 8, 512);
    const float shade = 0.72f + 0.08f * streak + 0.03f * fine + 0.06f * std::cos(2 * pi * (v - 0.3f));
    return Colour{0.93f, 0.95f, 0.98f} * shade;
}

Colour glassTexel(float u, float v, int size)
{
    const float texel = 1.0f / size;
    Colour c = mix(rgb255(214, 240, 238), rgb255(190, 228, 230), v);
    // Faint ripples from the rolling of the sheet.
    c = c * (1.0f + 0.03f * fractalNoise(u * 4, v * 4, 0.5f, 401, 3, 0.5f, 4, 4));
    // Two groups of diagonal highlight streaks, sharp on one side.
    const float diag = u + v;
    for (float centre : {0.55f, 1.25f}) {
        const float d = diag - centre;
        const float wobble = 0.01f * gradientNoise(u * 6, v * 6, 1.5f, 402, 6, 6);
        const float bandA = std::exp(-std::pow((d + wobble) / 0.05f, 2.0f));
        const float bandB = std::exp(-std::pow((d + wobble - 0.11f) / 0.018f, 2.0f));
        c = mix(c, Colour{1, 1, 1}, 0.55f * bandA + 0.45f * bandB);
    }
    // Hairline streaks along the sheet.
    const float hair = gradientNoise(u * 3, v * 300, 2.5f, 403, 3, 300);
    c = c * (1.0f + 0.04f * hair);
    // Thick edges look greener and darker, with a bright inner lip.
    const float edge = borderDistance(u, v);
    c = mix(c, rgb255(120, 180, 170), 1.0f - smoothStep(0.0f, 0.035f, edge));
    const float lip = std::exp(-std::pow((edge - 0.045f) / (2.5f * texel), 2.0f));
    c = mix(c, Colour{1, 1, 1}, 0.6f * lip);
    return c;
}

// Panels around the ball in six distinct colours, white caps at the
// poles, one dark star: no two orientations look alike.
Colour ballTexel(float s, float t, float texelS, float texelT)
{
    static const Colour gores[6] = {rgb255(222, 44, 44),  rgb255(250, 204, 40), rgb255(40, 96, 214),
                                    rgb255(44, 176, 84),  rgb255(246, 132, 32), rgb255(150, 66, 190)};
    const float latitude = (t - 0.5f) * pi;          // -pi/2 .. pi/2
    const float around = s * 6;
    const int gore = std::min(static_cast<int>(around), 5);
    const float frac = around - gore;
    // Width of one texel measured in gore units along the circle of this latitude.
    const float seamWidth = texelS * 6 * 1.5f;
    const float seam = 1.0f - smoothStep(0.0f, seamWidth, std::min(frac, 1 - frac));
    Colour c = gores[gore];
    c = mix(c, c * 0.45f, seam * 0.8f);

    // Caps: a white disc at each pole, with a dark rim.
    const float capEdge = pi / 2 - std::fabs(latitude); // angle from the pole
    const float capRadius = 0.32f;
    const float angularTexel = pi * texelT;
    const float inCap = 1.0f - smoothStep(capRadius - angularTexel, capRadius + angularTexel, capEdge);
    const float rim = std::exp(-std::pow((capEdge - capRadius - 2 * angularTexel) / (1.5f * angularTexel), 2.0f));
    c = mix(c, Colour{0.97f, 0.97f, 0.95f}, inCap);
    c = mix(c, Colour{0.15f, 0.15f, 0.18f}, rim * 0.7f);

    // A white star in the middle of the blue panel, on the equator.
    const float starS = (2.5f / 6), starT = 0.5f;
    const float dx = (s - starS) * 2 * pi * std::cos(latitude), dy = (t - starT) * pi;
    const float r = std::sqrt(dx * dx + dy * dy);
    const float angle = std::atan2(dy, dx) + pi / 2;
    const float spikes = 0.5f + 0.5f * std::cos(5 * angle);
    const float starRadius = 0.12f + 0.14f * std::pow(spikes, 3.0f);
    const float inStar = 1.0f - smoothStep(starRadius - angularTexel, starRadius + angularTexel, r);
    return mix(c, Colour{0.98f, 0.98f, 0.96f}, inStar);
}

} // namespace

Picture makeMetal(int size)
{
    return paintPicture(size, size, [](float u, float v) { return metalTexel(u, v); });
}

Picture makeGlass(int size)
{
    return paintPicture(size, size, [size](float u, float v) { return glassTexel(u, v, size); });
}

Picture makeBall(int width, int height)
{
    // Row 0 is the top of the picture, which the game shows at t = 1.
    return paintPicture(width, height,
                        [=](float s, float v) { return ballTexel(s, 1.0f - v, 1.0f / width, 1.0f / height); });
}
