#pragma once
// The game's fixed shapes as meshes of our own, vertex for vertex what GLU's
// quadrics, GLUT's solid sphere and the game's own immediate-mode shapes
// always sent, so that both renderers draw the very triangles the game has
// always drawn.

#include "render/mesh.h"

// The ball: a textured sphere of 50 slices and 50 stacks about the origin,
// its poles on the z axis (as GLU's sphere).
Mesh texturedSphere(float radius);
// The orbs' and checkpoints' sphere: GLUT's solid sphere, 50 by 50,
// normals and no texture coordinates.
Mesh solidSphere(float radius);
// A cylinder block's wall and bottom, and its top, in the quadric's own
// frame (axis along +z, standing on z = 0): radius and height from the
// block's width, 30 slices, 10 stacks and 10 rings; or `rings` stacks and
// rings (the fast graphics' one: the same shape, as position, normal and
// texture coordinates are linear along the height and the radius; only a
// few rim pixels come out differently).
Mesh cylinderBody(float side, int rings = 10);
Mesh cylinderTop(float side, int rings = 10);
// The goal ring, about the z axis: 100 by 100 quads.
Mesh torus(float majorRadius, float tubeRadius);
// The unit cube about the origin, each face with its normal; flipping
// mirrors the picture on every face.
Mesh unitCube(bool flipTexture);
// The shadow's disc: a fan of 101 rim vertices in the y = 0 plane.
Mesh shadowDisc(float radius);
// The six faces of the sky, unit cube, in drawing order (-z, +x, +z, -x,
// top, bottom): four corners each, texture coordinates and no normals.
Mesh skyFace(int face);
