#include "render/sphere.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdlib>
#include <numbers>

namespace {

// sin and cos at n equal steps round a circle (or half of one), with the
// last entry closing it exactly; a negative n runs the other way round.
void circleTable(std::vector<float>& sines, std::vector<float>& cosines, int n, bool halfCircle)
{
    const int size = std::abs(n);
    const float angle = (halfCircle ? 1 : 2) * static_cast<float>(std::numbers::pi) /
                        static_cast<float>(n == 0 ? 1 : n);
    sines.assign(static_cast<size_t>(size) + 1, 0.0f);
    cosines.assign(static_cast<size_t>(size) + 1, 0.0f);
    sines[0] = 0.0f;
    cosines[0] = 1.0f;
    for (int i = 1; i < size; ++i) {
        sines[size_t(i)] = static_cast<float>(std::sin(static_cast<double>(angle * static_cast<float>(i))));
        cosines[size_t(i)] = static_cast<float>(std::cos(static_cast<double>(angle * static_cast<float>(i))));
    }
    if (halfCircle) {
        sines[size_t(size)] = 0.0f;
        cosines[size_t(size)] = -1.0f;
    } else {
        sines[size_t(size)] = sines[0];
        cosines[size_t(size)] = cosines[0];
    }
}

void addVertex(SphereMesh& mesh, float x, float y, float z, float radius)
{
    mesh.vertices.insert(mesh.vertices.end(), {x * radius, y * radius, z * radius});
    mesh.normals.insert(mesh.normals.end(), {x, y, z});
}

}  // namespace

SphereMesh makeSphereMesh(float radius, int slices, int stacks)
{
    SphereMesh mesh;
    if (slices <= 0 || stacks < 2) return mesh;
    std::vector<float> sin1, cos1, sin2, cos2;
    circleTable(sin1, cos1, -slices, false);
    circleTable(sin2, cos2, stacks, true);

    // The poles and the rings between them, top down.
    mesh.vertices.insert(mesh.vertices.end(), {0.0f, 0.0f, radius});
    mesh.normals.insert(mesh.normals.end(), {0.0f, 0.0f, 1.0f});
    for (int i = 1; i < stacks; ++i) {
        for (int j = 0; j < slices; ++j) {
            addVertex(mesh, cos1[size_t(j)] * sin2[size_t(i)], sin1[size_t(j)] * sin2[size_t(i)],
                      cos2[size_t(i)], radius);
        }
    }
    mesh.vertices.insert(mesh.vertices.end(), {0.0f, 0.0f, -radius});
    mesh.normals.insert(mesh.normals.end(), {0.0f, 0.0f, -1.0f});
    const auto count = static_cast<unsigned short>(mesh.vertices.size() / 3);
    const auto ring = static_cast<unsigned short>(slices);

    // One strip per stack: round the top pole, between each pair of rings,
    // round the bottom pole; each closes on its first pair.
    std::vector<unsigned short>& s = mesh.strips;
    for (unsigned short j = 0; j < ring; ++j) s.insert(s.end(), {static_cast<unsigned short>(j + 1), 0});
    s.insert(s.end(), {1, 0});
    for (int i = 0; i < stacks - 2; ++i) {
        const auto offset = static_cast<unsigned short>(1 + i * slices);
        for (unsigned short j = 0; j < ring; ++j) {
            s.insert(s.end(), {static_cast<unsigned short>(offset + j + ring), static_cast<unsigned short>(offset + j)});
        }
        s.insert(s.end(), {static_cast<unsigned short>(offset + ring), offset});
    }
    const auto offset = static_cast<unsigned short>(1 + (stacks - 2) * slices);
    for (unsigned short j = 0; j < ring; ++j) {
        s.insert(s.end(), {static_cast<unsigned short>(count - 1), static_cast<unsigned short>(offset + j)});
    }
    s.insert(s.end(), {static_cast<unsigned short>(count - 1), offset});
    mesh.stacks = stacks;
    mesh.stripLength = (slices + 1) * 2;
    return mesh;
}

void drawSphereMesh(const SphereMesh& mesh)
{
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, mesh.vertices.data());
    glNormalPointer(GL_FLOAT, 0, mesh.normals.data());
    for (int i = 0; i < mesh.stacks; ++i) {
        glDrawElements(GL_TRIANGLE_STRIP, mesh.stripLength, GL_UNSIGNED_SHORT,
                       mesh.strips.data() + static_cast<size_t>(i) * size_t(mesh.stripLength));
    }
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
}
