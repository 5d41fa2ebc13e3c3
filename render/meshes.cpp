#include "render/meshes.h"

#include <algorithm>

#include "render/shapes.h"
#include "sim/items.h"

namespace {

MeshId add(MeshSet& set, Mesh mesh)
{
    set.meshes.push_back(std::move(mesh));
    return static_cast<MeshId>(set.meshes.size() - 1);
}

}  // namespace

MeshSet buildMeshSet(const Course& course)
{
    MeshSet set;
    set.cube = add(set, unitCube(false));
    set.flippedCube = add(set, unitCube(true));
    set.itemSphere = add(set, solidSphere(itemSphereRadius));
    set.goalRing = add(set, torus(goalRingHoopRadius, goalRingTubeRadius));
    for (int face = 0; face < 6; ++face) set.sky[face] = add(set, skyFace(face));
    for (int kind = 0; kind < 3; ++kind) {
        const float radius = radiusOfSizeKind(kind);
        set.balls.push_back({radius, add(set, texturedSphere(radius))});
        set.discs.push_back({radius, add(set, shadowDisc(radius))});
    }
    for (const Block& block : course.blocks) {
        const float side = block.size.x;
        if (block.shape != Shape::Cylinder || meshOfSize(set.cylinderBodies, side) != MeshId::None) continue;
        set.cylinderBodies.push_back({side, add(set, cylinderBody(side))});
        set.cylinderTops.push_back({side, add(set, cylinderTop(side))});
        set.fastCylinderBodies.push_back({side, add(set, cylinderBody(side, 1))});
        set.fastCylinderTops.push_back({side, add(set, cylinderTop(side, 1))});
    }
    return set;
}

MeshId meshOfSize(const std::vector<SizedMesh>& sized, float size)
{
    const auto found =
        std::find_if(sized.begin(), sized.end(), [size](const SizedMesh& s) { return s.size == size; });
    return found == sized.end() ? MeshId::None : found->mesh;
}

const Mesh& meshOf(const MeshSet& set, MeshId id)
{
    return set.meshes[static_cast<size_t>(id)];
}
