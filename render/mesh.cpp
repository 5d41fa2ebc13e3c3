#include "render/mesh.h"

void addVertex(Mesh& mesh, float x, float y, float z)
{
    mesh.positions.insert(mesh.positions.end(), {x, y, z});
}

void addVertex(Mesh& mesh, float x, float y, float z, const float (&normal)[3])
{
    addVertex(mesh, x, y, z);
    mesh.normals.insert(mesh.normals.end(), {normal[0], normal[1], normal[2]});
}

void addVertex(Mesh& mesh, float x, float y, float z, const float (&normal)[3], float s, float t)
{
    addVertex(mesh, x, y, z, normal);
    mesh.texCoords.insert(mesh.texCoords.end(), {s, t});
}

void addVertex(Mesh& mesh, float x, float y, float z, float s, float t)
{
    addVertex(mesh, x, y, z);
    mesh.texCoords.insert(mesh.texCoords.end(), {s, t});
}

void beginRun(Mesh& mesh, Primitive primitive)
{
    mesh.runs.push_back({primitive, mesh.vertexCount(), 0});
}

void endRun(Mesh& mesh)
{
    Run& run = mesh.runs.back();
    run.count = mesh.vertexCount() - run.first;
}

namespace {

void triangle(std::vector<uint16_t>& out, uint32_t a, uint32_t b, uint32_t c)
{
    out.insert(out.end(), {uint16_t(a), uint16_t(b), uint16_t(c)});
}

}  // namespace

void appendTriangles(const Run& run, std::vector<uint16_t>& out)
{
    const uint32_t f = run.first;
    const uint32_t n = run.count;
    switch (run.primitive) {
    case Primitive::Triangles:
        for (uint32_t i = 0; i + 2 < n; i += 3) triangle(out, f + i, f + i + 1, f + i + 2);
        break;
    case Primitive::TriangleStrip:
        // Every other triangle swaps its first two corners to keep the winding.
        for (uint32_t i = 0; i + 2 < n; ++i) {
            if (i % 2 == 0) triangle(out, f + i, f + i + 1, f + i + 2);
            else triangle(out, f + i + 1, f + i, f + i + 2);
        }
        break;
    case Primitive::TriangleFan:
        for (uint32_t i = 1; i + 1 < n; ++i) triangle(out, f, f + i, f + i + 1);
        break;
    case Primitive::Quads:
        for (uint32_t i = 0; i + 3 < n; i += 4) {
            triangle(out, f + i, f + i + 1, f + i + 2);
            triangle(out, f + i, f + i + 2, f + i + 3);
        }
        break;
    case Primitive::QuadStrip:
        // Quad (2i, 2i+1, 2i+3, 2i+2), in GL's winding.
        for (uint32_t i = 0; i + 3 < n; i += 2) {
            triangle(out, f + i, f + i + 1, f + i + 3);
            triangle(out, f + i, f + i + 3, f + i + 2);
        }
        break;
    }
}

void triangulate(Mesh& mesh)
{
    mesh.triangles.clear();
    for (const Run& run : mesh.runs) appendTriangles(run, mesh.triangles);
}
