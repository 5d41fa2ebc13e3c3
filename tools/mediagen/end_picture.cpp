#include "tools/mediagen/noise.h"
#include "tools/mediagen/pictures.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr float pi = 3.14159265358979f;

struct Point {
    float x, y;
};
using Stroke = std::vector<Point>; // a polyline

// Capital letters in a box 0.62 wide and 1 high, y up; strokes are
// centre lines, drawn with round ends.
std::vector<Stroke> glyph(char c)
{
    const float w = 0.62f;
    switch (c) {
    case 'T':
        return {{{0, 1}, {w, 1}}, {{w / 2, 1}, {w / 2, 0}}};
    case 'H':
        return {{{0, 0}, {0, 1}}, {{w, 0}, {w, 1}}, {{0, 0.5f}, {w, 0.5f}}};
    case 'E':
        return {{{w * 0.92f, 1}, {0, 1}, {0, 0}, {w * 0.92f, 0}}, {{0, 0.5f}, {w * 0.78f, 0.5f}}};
    case 'N':
        return {{{0, 0}, {0, 1}, {w, 0}, {w, 1}}};
    case 'D': {
        Stroke s{{0.22f, 0}, {0, 0}, {0, 1}, {0.22f, 1}};
        for (int i = 1; i < 32; ++i) {
            const float a = pi / 2 - pi * i / 32;
            s.push_back({0.22f + (w - 0.22f) * std::cos(a), 0.5f + 0.5f * std::sin(a)});
        }
        s.push_back({0.22f, 0});
        return {s};
    }
    default:
        return {};
    }
}

float segmentDistance(Point p, Point a, Point b)
{
    const float dx = b.x - a.x, dy = b.y - a.y;
    const float len2 = dx * dx + dy * dy;
    const float t = len2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len2, 0.0f, 1.0f) : 0.0f;
    const float ex = p.x - a.x - t * dx, ey = p.y - a.y - t * dy;
    return std::sqrt(ex * ex + ey * ey);
}

struct PlacedGlyph {
    std::vector<Stroke> strokes;
    float left, baseline, scale; // screen pixels per glyph unit
};

} // namespace

// The texture is stretched over a 1280 x 1024 screen, so the lettering is
// laid out in screen pixels and squeezed sideways into the square texture.
Picture makeEndPicture(int size)
{
    const float screenW = 1280, screenH = 1024;
    const char* text = "THE END";
    const float capHeight = 185, halfStroke = 0.085f, advance = 0.62f + 0.30f, space = 0.45f;
    float textWidth = 0;
    for (const char* c = text; *c; ++c)
        textWidth += (*c == ' ' ? space : advance);
    textWidth -= advance - 0.62f;
    std::vector<PlacedGlyph> placed;
    float pen = (screenW - textWidth * capHeight) / 2;
    const float baseline = screenH / 2 + capHeight / 2; // y grows downwards on screen
    for (const char* c = text; *c; ++c) {
        if (*c == ' ') {
            pen += space * capHeight;
            continue;
        }
        placed.push_back({glyph(*c), pen, baseline, capHeight});
        pen += advance * capHeight;
    }

    Picture p = makePicture(size, size);
    const float sx = screenW / size, sy = screenH / size;
    const float pixel = std::max(sx, sy);
    const float stroke = halfStroke * capHeight;
    const Colour top = rgb255(255, 232, 150), bottom = rgb255(236, 150, 44);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const Point screen{(x + 0.5f) * sx, (y + 0.5f) * sy};
            const float fy = screen.y / screenH;
            // Night blue fading to black at the edges, with a few stars.
            const float rx = screen.x / screenW - 0.5f, ry = fy - 0.45f;
            Colour c = mix(rgb255(36, 52, 104), rgb255(6, 8, 22), std::min(1.0f, std::sqrt(rx * rx + ry * ry) * 1.5f));
            const float star = hashUnit(x, y, 901);
            if (star > 0.9985f)
                c = mix(c, Colour{1, 1, 1}, (star - 0.9985f) / 0.0015f * 0.7f);

            float nearest = 1e9f, shadowNearest = 1e9f;
            for (const PlacedGlyph& g : placed) {
                const Point local{(screen.x - g.left) / g.scale, (g.baseline - screen.y) / g.scale};
                if (local.x < -0.4f || local.x > 1.1f || local.y < -0.5f || local.y > 1.5f)
                    continue;
                const Point shadowLocal{local.x - 7 / g.scale, local.y + 9 / g.scale};
                for (const Stroke& s : g.strokes)
                    for (size_t i = 1; i < s.size(); ++i) {
                        nearest = std::min(nearest, segmentDistance(local, s[i - 1], s[i]) * g.scale);
                        shadowNearest = std::min(shadowNearest, segmentDistance(shadowLocal, s[i - 1], s[i]) * g.scale);
                    }
            }
            const float edge = nearest - stroke;
            const float reach = std::max(0.0f, 1.0f - std::max(0.0f, edge) / 64.0f);
            const float glow = reach * reach;
            c = c + rgb255(255, 170, 60) * (0.30f * glow);
            const float shadow = 1.0f - smoothStep(-6.0f, 10.0f, shadowNearest - stroke);
            c = mix(c, Colour{0, 0, 0}, 0.6f * shadow);
            const float ink = std::clamp(0.5f - edge / pixel, 0.0f, 1.0f);
            const float shade = std::clamp((screen.y - (baseline - capHeight - stroke)) / (capHeight + 2 * stroke), 0.0f, 1.0f);
            Colour letter = mix(top, bottom, shade);
            // A thin bright rim inside the outline gives the letters some body.
            letter = mix(letter, Colour{1, 0.97f, 0.88f}, 0.5f * std::exp(-std::pow((edge + 4) / 2.5f, 2.0f)));
            c = mix(c, letter, ink);
            setPixel(p, x, y, c);
        }
    return p;
}
