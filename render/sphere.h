#pragma once
// The solid sphere the size orbs and checkpoints are drawn with: the same
// vertices, normals and triangle strips as GLUT's solid sphere, built by the
// game itself so that drawing needs no GLUT (and no window) at all.

#include <vector>

struct SphereMesh {
    std::vector<float> vertices;          // x, y, z per vertex
    std::vector<float> normals;           // unit, per vertex
    std::vector<unsigned short> strips;   // `stacks` strips of (slices + 1) * 2 indices
    int stacks = 0;
    int stripLength = 0;
};

SphereMesh makeSphereMesh(float radius, int slices, int stacks);

// Draws the mesh from client arrays, as triangle strips, about the origin.
void drawSphereMesh(const SphereMesh& mesh);
