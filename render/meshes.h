#pragma once
// Every mesh a frame can name, built once at start-up from the course: the
// fixed shapes, the ball at each of its sizes and a cylinder for every width
// the course has. Plain arrays: a backend uploads them as it likes.

#include <cstdint>
#include <vector>

#include "render/mesh.h"
#include "sim/items.h"
#include "world/world.h"

enum class MeshId : uint16_t { None = 0xffff };

struct SizedMesh {
    float size;     // the ball's radius, or the cylinder's width
    MeshId mesh;
};

struct MeshSet {
    std::vector<Mesh> meshes;            // indexed by MeshId
    MeshId cube = MeshId::None;
    MeshId flippedCube = MeshId::None;
    MeshId itemSphere = MeshId::None;
    MeshId goalRing = MeshId::None;
    MeshId sky[6] = {MeshId::None, MeshId::None, MeshId::None, MeshId::None, MeshId::None, MeshId::None};
    std::vector<SizedMesh> balls;        // textured spheres
    std::vector<SizedMesh> discs;        // the shadow's disc, per ball radius
    std::vector<SizedMesh> cylinderBodies;
    std::vector<SizedMesh> cylinderTops;
    std::vector<SizedMesh> fastCylinderBodies;  // one ring, for the fast graphics
    std::vector<SizedMesh> fastCylinderTops;
};

MeshSet buildMeshSet(const Course& course);

// The mesh of that size, or None: a size the set was not built for.
MeshId meshOfSize(const std::vector<SizedMesh>& sized, float size);
const Mesh& meshOf(const MeshSet& set, MeshId id);

