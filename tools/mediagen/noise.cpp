#include "tools/mediagen/noise.h"

#include <algorithm>
#include <cmath>

std::uint32_t hashInts(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d)
{
    std::uint32_t h = 0x9e3779b9u;
    for (std::uint32_t v : {a, b, c, d}) {
        h ^= v + 0x7f4a7c15u + (h << 6) + (h >> 2);
        h ^= h >> 16;
        h *= 0x7feb352du;
        h ^= h >> 15;
        h *= 0x846ca68bu;
        h ^= h >> 16;
    }
    return h;
}

float hashUnit(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d)
{
    return (hashInts(a, b, c, d) >> 8) * (1.0f / 16777216.0f);
}

static float fade(float t) { return t * t * t * (t * (t * 6 - 15) + 10); }

static int wrap(int i, int period)
{
    if (period <= 0)
        return i;
    const int m = i % period;
    return m < 0 ? m + period : m;
}

namespace {

// A fixed shuffle of 0..255, repeated so lookups need no masking.
struct Permutation {
    std::uint8_t table[512];
    Permutation()
    {
        for (int i = 0; i < 256; ++i)
            table[i] = static_cast<std::uint8_t>(i);
        for (int i = 255; i > 0; --i) {
            const int j = static_cast<int>(hashInts(i, 0x5eed) % (i + 1));
            std::swap(table[i], table[j]);
        }
        for (int i = 0; i < 256; ++i)
            table[256 + i] = table[i];
    }
};

const Permutation permutation;

float cornerDot(int ix, int iy, int iz, float fx, float fy, float fz, std::uint32_t seed)
{
    // The twelve edge directions of a cube: no axis is favoured.
    static const float dirs[16][3] = {{1, 1, 0}, {-1, 1, 0}, {1, -1, 0}, {-1, -1, 0}, {1, 0, 1},  {-1, 0, 1},
                                      {1, 0, -1}, {-1, 0, -1}, {0, 1, 1}, {0, -1, 1}, {0, 1, -1}, {0, -1, -1},
                                      {1, 1, 0}, {-1, 1, 0}, {0, -1, 1}, {0, -1, -1}};
    const std::uint8_t* p = permutation.table;
    const int h = p[p[p[(ix ^ seed) & 255] + (iy & 255)] + ((iz + (seed >> 8)) & 255)];
    const float* g = dirs[h & 15];
    return g[0] * fx + g[1] * fy + g[2] * fz;
}

} // namespace

float gradientNoise(float x, float y, float z, std::uint32_t seed, int periodX, int periodY)
{
    const float flx = std::floor(x), fly = std::floor(y), flz = std::floor(z);
    const int x0 = static_cast<int>(flx), y0 = static_cast<int>(fly), z0 = static_cast<int>(flz);
    const float fx = x - flx, fy = y - fly, fz = z - flz;
    const int xa = wrap(x0, periodX), xb = wrap(x0 + 1, periodX);
    const int ya = wrap(y0, periodY), yb = wrap(y0 + 1, periodY);
    const float u = fade(fx), v = fade(fy), w = fade(fz);
    auto lerp = [](float a, float b, float t) { return a + (b - a) * t; };
    const float n000 = cornerDot(xa, ya, z0, fx, fy, fz, seed);
    const float n100 = cornerDot(xb, ya, z0, fx - 1, fy, fz, seed);
    const float n010 = cornerDot(xa, yb, z0, fx, fy - 1, fz, seed);
    const float n110 = cornerDot(xb, yb, z0, fx - 1, fy - 1, fz, seed);
    const float n001 = cornerDot(xa, ya, z0 + 1, fx, fy, fz - 1, seed);
    const float n101 = cornerDot(xb, ya, z0 + 1, fx - 1, fy, fz - 1, seed);
    const float n011 = cornerDot(xa, yb, z0 + 1, fx, fy - 1, fz - 1, seed);
    const float n111 = cornerDot(xb, yb, z0 + 1, fx - 1, fy - 1, fz - 1, seed);
    const float nx00 = lerp(n000, n100, u), nx10 = lerp(n010, n110, u);
    const float nx01 = lerp(n001, n101, u), nx11 = lerp(n011, n111, u);
    return lerp(lerp(nx00, nx10, v), lerp(nx01, nx11, v), w);
}

float fractalNoise(float x, float y, float z, std::uint32_t seed, int octaves, float gain, int periodX,
                   int periodY)
{
    float sum = 0, amplitude = 1, norm = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += amplitude * gradientNoise(x, y, z, seed + o * 131u, periodX, periodY);
        norm += amplitude;
        amplitude *= gain;
        x *= 2;
        y *= 2;
        z *= 2;
        periodX *= 2;
        periodY *= 2;
    }
    return sum / norm;
}

float smoothStep(float edge0, float edge1, float x)
{
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}
