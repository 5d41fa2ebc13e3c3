#include "render/shapes.h"

#include <cmath>
#include <cstdlib>
#include <numbers>

namespace {

constexpr double pi = 3.14159265358979323846;

// The quadrics take sines in double of an angle held in float.
float quadricSin(float angle)
{
    return static_cast<float>(std::sin(static_cast<double>(angle)));
}

float quadricCos(float angle)
{
    return static_cast<float>(std::cos(static_cast<double>(angle)));
}

// GLU's disk of inner radius 0 in the plane z = 0, facing +z: the inner
// ring as a fan, the others as quad strips from the rim inwards.
void addDisk(Mesh& mesh, double outerRadius, int slices, int loops)
{
    float sinCache[64];
    float cosCache[64];
    for (int i = 0; i <= slices; ++i) {
        const float angle = static_cast<float>(((pi * 360.0) / 180.0) * i / slices);
        sinCache[i] = quadricSin(angle);
        cosCache[i] = quadricCos(angle);
    }
    sinCache[slices] = sinCache[0];
    cosCache[slices] = cosCache[0];
    const float up[3] = {0.0f, 0.0f, 1.0f};
    const float deltaRadius = static_cast<float>(outerRadius);

    beginRun(mesh, Primitive::TriangleFan);
    addVertex(mesh, 0.0f, 0.0f, 0.0f, up, 0.5f, 0.5f);
    {
        const float radiusLow =
            static_cast<float>(outerRadius - deltaRadius * (static_cast<float>(loops - 1) / loops));
        const float texLow = static_cast<float>(radiusLow / outerRadius / 2);
        for (int i = slices; i >= 0; --i) {
            addVertex(mesh, radiusLow * sinCache[i], radiusLow * cosCache[i], 0.0f, up,
                      static_cast<float>(texLow * sinCache[i] + 0.5), static_cast<float>(texLow * cosCache[i] + 0.5));
        }
    }
    endRun(mesh);
    for (int j = 0; j < loops - 1; ++j) {
        const float radiusLow = static_cast<float>(outerRadius - deltaRadius * (static_cast<float>(j) / loops));
        const float radiusHigh = static_cast<float>(outerRadius - deltaRadius * (static_cast<float>(j + 1) / loops));
        const float texLow = static_cast<float>(radiusLow / outerRadius / 2);
        const float texHigh = static_cast<float>(radiusHigh / outerRadius / 2);
        beginRun(mesh, Primitive::QuadStrip);
        for (int i = 0; i <= slices; ++i) {
            addVertex(mesh, radiusLow * sinCache[i], radiusLow * cosCache[i], 0.0f, up,
                      static_cast<float>(texLow * sinCache[i] + 0.5), static_cast<float>(texLow * cosCache[i] + 0.5));
            addVertex(mesh, radiusHigh * sinCache[i], radiusHigh * cosCache[i], 0.0f, up,
                      static_cast<float>(texHigh * sinCache[i] + 0.5),
                      static_cast<float>(texHigh * cosCache[i] + 0.5));
        }
        endRun(mesh);
    }
}

}  // namespace

Mesh texturedSphere(float radiusFloat)
{
    const double radius = radiusFloat;
    constexpr int slices = 50;
    constexpr int stacks = 50;
    float sin1a[slices + 1], cos1a[slices + 1], sin2b[stacks + 1], cos2b[stacks + 1];
    float sin1b[stacks + 1], cos1b[stacks + 1];
    for (int i = 0; i < slices; ++i) {
        const float angle = static_cast<float>(2 * pi * i / slices);
        sin1a[i] = quadricSin(angle);
        cos1a[i] = quadricCos(angle);
    }
    for (int j = 0; j <= stacks; ++j) {
        const float angle = static_cast<float>(pi * j / stacks);
        sin2b[j] = quadricSin(angle);
        cos2b[j] = quadricCos(angle);
        sin1b[j] = static_cast<float>(radius * quadricSin(angle));
        cos1b[j] = static_cast<float>(radius * quadricCos(angle));
    }
    // The poles come to a point.
    sin1b[0] = 0.0f;
    sin1b[stacks] = 0.0f;
    sin1a[slices] = sin1a[0];
    cos1a[slices] = cos1a[0];

    Mesh mesh;
    for (int j = 0; j < stacks; ++j) {
        const float zLow = cos1b[j];
        const float zHigh = cos1b[j + 1];
        const float sinLow = sin1b[j];
        const float sinHigh = sin1b[j + 1];
        beginRun(mesh, Primitive::QuadStrip);
        for (int i = 0; i <= slices; ++i) {
            const float s = 1 - static_cast<float>(i) / slices;
            const float high[3] = {sin1a[i] * sin2b[j + 1], cos1a[i] * sin2b[j + 1], cos2b[j + 1]};
            addVertex(mesh, sinHigh * sin1a[i], sinHigh * cos1a[i], zHigh, high, s,
                      1 - static_cast<float>(j + 1) / stacks);
            const float low[3] = {sin1a[i] * sin2b[j], cos1a[i] * sin2b[j], cos2b[j]};
            addVertex(mesh, sinLow * sin1a[i], sinLow * cos1a[i], zLow, low, s, 1 - static_cast<float>(j) / stacks);
        }
        endRun(mesh);
    }
    triangulate(mesh);
    return mesh;
}

Mesh cylinderBody(float side, int rings)
{
    const double radius = side * 0.5f;
    const double height = side;
    constexpr int slices = 30;
    const int stacks = rings;
    float sinCache[slices + 1], cosCache[slices + 1];
    for (int i = 0; i < slices; ++i) {
        const float angle = static_cast<float>(2 * pi * i / slices);
        sinCache[i] = quadricSin(angle);
        cosCache[i] = quadricCos(angle);
    }
    sinCache[slices] = sinCache[0];
    cosCache[slices] = cosCache[0];
    // A straight wall: the normals are the rim's directions, with no tilt.
    const float length = static_cast<float>(std::sqrt(height * height));
    const float ratio = static_cast<float>(height / length);

    Mesh mesh;
    for (int j = 0; j < stacks; ++j) {
        const float zLow = static_cast<float>(j * height / stacks);
        const float zHigh = static_cast<float>((j + 1) * height / stacks);
        const float r = static_cast<float>(radius);
        beginRun(mesh, Primitive::QuadStrip);
        for (int i = 0; i <= slices; ++i) {
            const float normal[3] = {ratio * sinCache[i], ratio * cosCache[i], 0.0f};
            const float s = 1 - static_cast<float>(i) / slices;
            addVertex(mesh, r * sinCache[i], r * cosCache[i], zLow, normal, s, static_cast<float>(j) / stacks);
            addVertex(mesh, r * sinCache[i], r * cosCache[i], zHigh, normal, s, static_cast<float>(j + 1) / stacks);
        }
        endRun(mesh);
    }
    addDisk(mesh, radius, slices, rings);
    triangulate(mesh);
    return mesh;
}

Mesh cylinderTop(float side, int rings)
{
    Mesh mesh;
    addDisk(mesh, side * 0.5f, 30, rings);
    triangulate(mesh);
    return mesh;
}

Mesh solidSphere(float radius)
{
    // GLUT's tables: sines and cosines at equal steps round the circle (run
    // backwards) and down the half circle, the last entry closing each.
    constexpr int slices = 50;
    constexpr int stacks = 50;
    float sin1[slices + 1], cos1[slices + 1], sin2[stacks + 1], cos2[stacks + 1];
    const float around = 2 * static_cast<float>(std::numbers::pi) / static_cast<float>(-slices);
    const float down = static_cast<float>(std::numbers::pi) / static_cast<float>(stacks);
    sin1[0] = 0.0f;
    cos1[0] = 1.0f;
    for (int i = 1; i < slices; ++i) {
        sin1[i] = static_cast<float>(std::sin(static_cast<double>(around * static_cast<float>(i))));
        cos1[i] = static_cast<float>(std::cos(static_cast<double>(around * static_cast<float>(i))));
    }
    sin1[slices] = sin1[0];
    cos1[slices] = cos1[0];
    sin2[0] = 0.0f;
    cos2[0] = 1.0f;
    for (int i = 1; i < stacks; ++i) {
        sin2[i] = static_cast<float>(std::sin(static_cast<double>(down * static_cast<float>(i))));
        cos2[i] = static_cast<float>(std::cos(static_cast<double>(down * static_cast<float>(i))));
    }
    sin2[stacks] = 0.0f;
    cos2[stacks] = -1.0f;

    // Ring i (1 .. stacks-1), slice j; the poles apart.
    auto ring = [&](int i, int j, float (&n)[3]) {
        n[0] = cos1[j] * sin2[i];
        n[1] = sin1[j] * sin2[i];
        n[2] = cos2[i];
    };
    Mesh mesh;
    const float top[3] = {0.0f, 0.0f, 1.0f};
    const float bottom[3] = {0.0f, 0.0f, -1.0f};
    auto addRingVertex = [&](int i, int j) {
        float n[3];
        ring(i, j % slices, n);
        addVertex(mesh, n[0] * radius, n[1] * radius, n[2] * radius, n);
    };
    beginRun(mesh, Primitive::TriangleStrip);
    for (int j = 0; j <= slices; ++j) {
        addRingVertex(1, j);
        addVertex(mesh, 0.0f, 0.0f, radius, top);
    }
    endRun(mesh);
    for (int i = 1; i < stacks - 1; ++i) {
        beginRun(mesh, Primitive::TriangleStrip);
        for (int j = 0; j <= slices; ++j) {
            addRingVertex(i + 1, j);
            addRingVertex(i, j);
        }
        endRun(mesh);
    }
    beginRun(mesh, Primitive::TriangleStrip);
    for (int j = 0; j <= slices; ++j) {
        addVertex(mesh, 0.0f, 0.0f, -radius, bottom);
        addRingVertex(stacks - 1, j);
    }
    endRun(mesh);
    triangulate(mesh);
    return mesh;
}

Mesh torus(float majorRadius, float tubeRadius)
{
    Mesh mesh;
    const double step = 2.0 * std::numbers::pi / 100.0;
    for (int i = 0; i < 100; ++i) {
        const double s0 = i * step;
        const double s1 = (i + 1) * step;
        const double c0 = std::cos(s0), n0 = std::sin(s0);
        const double c1 = std::cos(s1), n1 = std::sin(s1);
        beginRun(mesh, Primitive::QuadStrip);
        for (int j = 0; j <= 100; ++j) {
            const double t = j * step;
            const double ct = std::cos(t), st = std::sin(t);
            const double d = majorRadius + tubeRadius * ct;
            const double z = tubeRadius * st;
            float normal[3] = {float(ct * c0), float(ct * n0), float(st)};
            const float length = std::sqrt(normal[0] * normal[0] + normal[1] * normal[1] + normal[2] * normal[2]);
            for (float& component : normal) component /= length;
            addVertex(mesh, float(d * c0), float(d * n0), float(z), normal, i / 100.0f, j / 100.0f);
            const float normal1[3] = {float(ct * c1), float(ct * n1), float(st)};
            addVertex(mesh, float(d * c1), float(d * n1), float(z), normal1, (i + 1) / 100.0f, j / 100.0f);
        }
        endRun(mesh);
    }
    triangulate(mesh);
    return mesh;
}

namespace {

struct Corner {
    float s, t;
    float x, y, z;
};

void addFace(Mesh& mesh, float nx, float ny, float nz, const Corner (&corners)[4])
{
    const float normal[3] = {nx, ny, nz};
    for (const Corner& c : corners) addVertex(mesh, c.x, c.y, c.z, normal, c.s, c.t);
}

}  // namespace

Mesh unitCube(bool flipTexture)
{
    // Flipping swaps 0 and 1 in s on five faces and in t on the back face.
    const float a = flipTexture ? 1.0f : 0.0f;
    const float b = 1.0f - a;
    const float n = -0.5f;
    const float p = 0.5f;
    Mesh mesh;
    beginRun(mesh, Primitive::Quads);
    addFace(mesh, 0, 1, 0, {{a, 1, n, p, n}, {a, 0, n, p, p}, {b, 0, p, p, p}, {b, 1, p, p, n}});
    addFace(mesh, 0, -1, 0, {{a, 0, n, n, n}, {b, 0, p, n, n}, {b, 1, p, n, p}, {a, 1, n, n, p}});
    addFace(mesh, -1, 0, 0, {{a, 0, n, n, n}, {b, 0, n, n, p}, {b, 1, n, p, p}, {a, 1, n, p, n}});
    addFace(mesh, 1, 0, 0, {{b, 0, p, n, n}, {b, 1, p, p, n}, {a, 1, p, p, p}, {a, 0, p, n, p}});
    addFace(mesh, 0, 0, 1, {{a, 0, n, n, p}, {b, 0, p, n, p}, {b, 1, p, p, p}, {a, 1, n, p, p}});
    addFace(mesh, 0, 0, -1, {{1, a, n, n, n}, {0, a, n, p, n}, {0, b, p, p, n}, {1, b, p, n, n}});
    endRun(mesh);
    triangulate(mesh);
    return mesh;
}

Mesh shadowDisc(float radius)
{
    Mesh mesh;
    beginRun(mesh, Primitive::TriangleFan);
    addVertex(mesh, 0.0f, 0.0f, 0.0f);
    const double step = 0.06283185482025147;
    const double last = 6.346017336845398;
    for (float a = 0.0f; a <= last; a = static_cast<float>(a + step)) {
        addVertex(mesh, radius * std::sin(a), 0.0f, radius * std::cos(a));
    }
    endRun(mesh);
    triangulate(mesh);
    return mesh;
}

Mesh skyFace(int face)
{
    // Seen from inside, s = 0 is on the viewer's right and t = 0 at the bottom.
    constexpr float n = -0.5f;
    constexpr float p = 0.5f;
    static constexpr Corner faces[6][4] = {
        {{0, 0, p, n, n}, {1, 0, n, n, n}, {1, 1, n, p, n}, {0, 1, p, p, n}},  // -z
        {{0, 0, p, n, p}, {1, 0, p, n, n}, {1, 1, p, p, n}, {0, 1, p, p, p}},  // +x
        {{0, 0, n, n, p}, {1, 0, p, n, p}, {1, 1, p, p, p}, {0, 1, n, p, p}},  // +z
        {{0, 0, n, n, n}, {1, 0, n, n, p}, {1, 1, n, p, p}, {0, 1, n, p, n}},  // -x
        {{1, 1, n, p, n}, {0, 1, n, p, p}, {0, 0, p, p, p}, {1, 0, p, p, n}},  // top
        {{1, 0, n, n, n}, {0, 0, n, n, p}, {0, 1, p, n, p}, {1, 1, p, n, n}},  // bottom
    };
    Mesh mesh;
    beginRun(mesh, Primitive::Quads);
    for (const Corner& c : faces[std::abs(face) % 6]) addVertex(mesh, c.x, c.y, c.z, c.s, c.t);
    endRun(mesh);
    triangulate(mesh);
    return mesh;
}
