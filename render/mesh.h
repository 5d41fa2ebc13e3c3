#pragma once
// A shape as vertex arrays of our own, built once: positions, normals and
// texture coordinates, drawn as runs of GL's primitives in the order the
// shapes have always been sent, and as plain triangles for the renderers
// that have no quads or fans (OpenGL ES, WebGL).

#include <cstdint>
#include <vector>

enum class Primitive : uint8_t { Triangles, TriangleStrip, TriangleFan, Quads, QuadStrip };

struct Run {
    Primitive primitive;
    uint32_t first;   // vertex
    uint32_t count;
};

struct Mesh {
    std::vector<float> positions;   // x, y, z
    std::vector<float> normals;     // x, y, z, or empty: the draw gives none
    std::vector<float> texCoords;   // s, t, or empty
    std::vector<Run> runs;
    std::vector<uint16_t> triangles;  // the runs as triangles, three indices each

    uint32_t vertexCount() const { return uint32_t(positions.size() / 3); }
};

// Adds a vertex; the normal and texture coordinate only where the mesh has them.
void addVertex(Mesh& mesh, float x, float y, float z);
void addVertex(Mesh& mesh, float x, float y, float z, const float (&normal)[3]);
void addVertex(Mesh& mesh, float x, float y, float z, const float (&normal)[3], float s, float t);
void addVertex(Mesh& mesh, float x, float y, float z, float s, float t);
// Starts a run at the next vertex; endRun closes it.
void beginRun(Mesh& mesh, Primitive primitive);
void endRun(Mesh& mesh);
// Fills `triangles` from the runs, each triangle wound as GL winds it.
void triangulate(Mesh& mesh);
// One run's triangles added to `out`, as triangulate makes them.
void appendTriangles(const Run& run, std::vector<uint16_t>& out);
