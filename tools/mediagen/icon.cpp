#include "tools/mediagen/icon.h"

#include "tools/mediagen/pictures.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <system_error>

namespace {

constexpr float pi = 3.14159265358979f;

struct V3 {
    float x = 0, y = 0, z = 0;
};
V3 operator+(V3 a, V3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
V3 operator-(V3 a, V3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
V3 operator*(V3 a, float k) { return {a.x * k, a.y * k, a.z * k}; }
float dot(V3 a, V3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
float length(V3 a) { return std::sqrt(dot(a, a)); }
V3 normalised(V3 a) { return a * (1.0f / length(a)); }

// The ring lies flat, its proportions those of the goal ring in the game;
// the ball rests in it, touching the tube all round.
constexpr float ringRadius = 1.5f, tubeRadius = 0.6f, ballRadius = 1.0f;
const V3 ballCentre{0, std::sqrt((ballRadius + tubeRadius) * (ballRadius + tubeRadius) - ringRadius * ringRadius), 0};

float ringDistance(V3 p)
{
    const float across = std::sqrt(p.x * p.x + p.z * p.z) - ringRadius;
    return std::sqrt(across * across + p.y * p.y) - tubeRadius;
}

float ballDistance(V3 p) { return length(p - ballCentre) - ballRadius; }

struct Hit {
    V3 point;
    bool ball = false;
};

// Sphere tracing: both shapes have exact distance functions, so each step
// can go as far as the nearer of them.
std::optional<Hit> trace(V3 origin, V3 direction)
{
    float travelled = 0;
    for (int step = 0; step < 160 && travelled < 20; ++step) {
        const V3 p = origin + direction * travelled;
        const float ring = ringDistance(p), ball = ballDistance(p);
        const float nearest = std::min(ring, ball);
        if (nearest < 1e-4f)
            return Hit{p, ball <= ring};
        travelled += nearest;
    }
    return std::nullopt;
}

Colour sampleBall(const Picture& ball, V3 normal)
{
    // Turned so that the blue panel with its star faces the viewer.
    const float around = std::atan2(normal.x, normal.z) / (2 * pi) + 2.5f / 6 + 0.04f;
    const float s = around - std::floor(around);
    const float t = std::asin(std::clamp(normal.y, -1.0f, 1.0f)) / pi + 0.5f;
    const int x = std::clamp(static_cast<int>(s * ball.width), 0, ball.width - 1);
    const int y = std::clamp(static_cast<int>((1 - t) * ball.height), 0, ball.height - 1);
    return getPixel(ball, x, y);
}

Colour shade(const Hit& hit, V3 toEye, const Picture& ball)
{
    V3 normal;
    Colour base, highlight;
    if (hit.ball) {
        normal = normalised(hit.point - ballCentre);
        base = sampleBall(ball, normal);
        highlight = Colour{1, 1, 1} * 0.6f;
    } else {
        const float across = std::sqrt(hit.point.x * hit.point.x + hit.point.z * hit.point.z);
        const V3 circle{hit.point.x / across * ringRadius, 0, hit.point.z / across * ringRadius};
        normal = normalised(hit.point - circle);
        base = rgb255(246, 226, 150);
        highlight = Colour{1, 1, 0.3f};
    }
    const V3 light = normalised({-0.55f, 0.8f, 0.5f});
    const float diffuse = std::max(0.0f, dot(normal, light));
    const float specular = std::pow(std::max(0.0f, dot(normal, normalised(light + toEye))), 24.0f);
    // The ball's shadow on the ring: is the light blocked on the way?
    float lit = 1;
    if (!hit.ball) {
        const V3 start = hit.point + normal * 0.01f;
        if (auto blocker = trace(start, light); blocker && blocker->ball)
            lit = 0.35f;
    }
    return base * (0.32f + 0.68f * diffuse * lit) + highlight * (specular * lit);
}

std::uint8_t toByte(float v) { return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255)); }

} // namespace

Icon makeIcon(int size)
{
    const Picture ball = makeBall(512, 256);
    // Seen from in front and a little above, without perspective, so the
    // picture reads the same at every size.
    const float elevation = 0.5f;
    const V3 toEye{0, std::sin(elevation), std::cos(elevation)};
    const V3 right{1, 0, 0}, up{0, std::cos(elevation), -std::sin(elevation)};
    const V3 centre{0, 0.35f, 0};
    const float halfWidth = 2.2f;
    constexpr int samples = 4; // per side of a pixel: 16 rays, for smooth edges
    Icon icon{size, std::vector<std::uint8_t>(static_cast<size_t>(size) * size * 4, 0)};
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            Colour sum;
            int hits = 0;
            for (int sy = 0; sy < samples; ++sy)
                for (int sx = 0; sx < samples; ++sx) {
                    const float u = (x + (sx + 0.5f) / samples) / size * 2 - 1;
                    const float v = 1 - (y + (sy + 0.5f) / samples) / size * 2;
                    const V3 origin = centre + right * (u * halfWidth) + up * (v * halfWidth) + toEye * 10.0f;
                    if (auto hit = trace(origin, toEye * -1.0f)) {
                        sum = sum + shade(*hit, toEye, ball);
                        ++hits;
                    }
                }
            std::uint8_t* px = &icon.rgba[(static_cast<size_t>(y) * size + x) * 4];
            if (hits == 0)
                continue;
            const Colour c = sum * (1.0f / hits);
            px[0] = toByte(c.r);
            px[1] = toByte(c.g);
            px[2] = toByte(c.b);
            px[3] = toByte(static_cast<float>(hits) / (samples * samples));
        }
    return icon;
}

bool writeIconPng(const std::string& path, const Icon& icon)
{
    return writePngPixels(path, icon.rgba.data(), int(icon.size), int(icon.size), true);
}

bool writeIcons(const std::string& dir)
{
    bool ok = true;
    for (int size : iconSizes) {
        const std::string name = std::to_string(size) + "x" + std::to_string(size);
        const std::filesystem::path folder = std::filesystem::path(dir) / name / "apps";
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        const std::filesystem::path file = folder / "skycourse.png";
        if (error || !writeIconPng(file.string(), makeIcon(size))) {
            std::fprintf(stderr, "skycourse-mediagen: cannot write %s\n", file.c_str());
            ok = false;
        }
    }
    return ok;
}

bool writeWebIcons(const std::string& dir)
{
    bool ok = true;
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    for (int size : webIconSizes) {
        const std::filesystem::path file = std::filesystem::path(dir) / ("icon-" + std::to_string(size) + ".png");
        if (error || !writeIconPng(file.string(), makeIcon(size))) {
            std::fprintf(stderr, "skycourse-mediagen: cannot write %s\n", file.c_str());
            ok = false;
        }
    }
    return ok;
}
