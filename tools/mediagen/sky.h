#pragma once
// The sky box pictures. Each face is painted from the direction of the
// view through each texel, so the six faces meet without seams.

#include "tools/mediagen/picture.h"

struct SkyPoint {
    float x = 0, y = 0, z = 0;
};

struct SkyCorner {
    float s, t;
    SkyPoint vertex;
};

// Face k of the box as the game draws it: four texture coordinates and the
// unit-cube corners they are pinned to. k follows the load order pos_z,
// neg_x, neg_z, pos_x, pos_y, neg_y.
extern const SkyCorner skyFaceCorners[6][4];

// Point on the unit cube (-0.5 .. 0.5) that texture coordinate (s, t) of
// face k is drawn at: bilinear between the face's four corners.
SkyPoint skyCubePoint(int face, float s, float t);
// Colour of the sky seen in a direction (need not be normalised).
Colour skyColour(SkyPoint direction);
// Texel column x has s = x / (size - 1), so the outermost texels sit
// exactly on the cube's edges, where the neighbouring face has the same
// colour; clamped edge sampling then shows no seam.
Picture makeSkyFace(int face, int size);
