#pragma once
// What the current view cannot see. A draw wholly outside it adds no pixel,
// so skipping it changes nothing in the picture and spares the renderer
// every vertex of it (a disc's cylinder has thousands).

#include "render/matrix.h"
#include "world/vec3.h"

struct ViewVolume {
    Mat4 clip;  // projection times model-view
};

ViewVolume viewVolume(const Mat4& projection, const Mat4& modelView);

// True when no point of the box (its minimum corner and extent) can reach
// the picture: all its corners lie beyond one side of the view.
bool outOfView(const ViewVolume& view, const Vec3& low, const Vec3& size);
