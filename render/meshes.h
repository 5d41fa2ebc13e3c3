#pragma once
// Shapes that never change, compiled once into GL display lists: a frame
// replays them instead of sending each of their vertices again. A shape
// without a list (a size the course does not have) is drawn as it comes.

#include <vector>

#include "world/world.h"

// The sizes of the fixed shapes, for drawing them and for telling whether
// they are in view.
constexpr float itemRadius = 0.75f;       // the orbs' and checkpoints' sphere
constexpr float goalRingRadius = 1.5f;    // the goal ring, to the middle of its tube
constexpr float goalRingTube = 0.6f;

struct CylinderMesh {
    float side;              // the block's width, which sets its radius and height
    unsigned int body;       // the side wall and the bottom disk
    unsigned int top;        // the top disk
};

struct BallMesh {
    float radius;
    unsigned int sphere;     // textured
};

struct Meshes {
    unsigned int goalRing = 0;
    unsigned int itemSphere = 0;
    std::vector<BallMesh> balls;
    std::vector<CylinderMesh> cylinders;
};

// Needs a current GL context. Compiles the ring, the items' sphere, the
// ball at its three sizes and a cylinder for every width the course has.
Meshes buildMeshes(const Course& course);

// The drawing itself, shared by the lists and by shapes without one.
void drawGoalRing();
void drawItemSphere();
void drawBallSphere(float radius);
// Upright, standing on the origin, side wide and tall; its own texture
// coordinates and normals.
void drawCylinderBody(float side);
void drawCylinderTop(float side);

// The list for a shape, or 0 when it has none.
unsigned int ballList(const Meshes& meshes, float radius);
const CylinderMesh* cylinderMesh(const Meshes& meshes, float side);
