#include "render/view_volume.h"

#include <GL/gl.h>

namespace {

// A box is grown by this much on every side before the test, so that no
// rounding between this test and the renderer's clipping can drop a draw
// that would have touched a pixel.
constexpr float margin = 0.05f;

}  // namespace

ViewVolume currentViewVolume()
{
    GLfloat projection[16];
    GLfloat modelView[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    ViewVolume view{};
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) sum += projection[k * 4 + row] * modelView[column * 4 + k];
            view.clip[column * 4 + row] = sum;
        }
    }
    return view;
}

bool outOfView(const ViewVolume& view, const Vec3& low, const Vec3& size)
{
    // For each of the six sides of the view, whether every corner is beyond it.
    bool beyond[6] = {true, true, true, true, true, true};
    const float* m = view.clip;
    for (int corner = 0; corner < 8; ++corner) {
        const float x = (corner & 1) ? low.x + size.x + margin : low.x - margin;
        const float y = (corner & 2) ? low.y + size.y + margin : low.y - margin;
        const float z = (corner & 4) ? low.z + size.z + margin : low.z - margin;
        float c[4];
        for (int row = 0; row < 4; ++row) c[row] = m[row] * x + m[4 + row] * y + m[8 + row] * z + m[12 + row];
        const float w = c[3];
        for (int axis = 0; axis < 3; ++axis) {
            beyond[axis * 2] = beyond[axis * 2] && c[axis] < -w;
            beyond[axis * 2 + 1] = beyond[axis * 2 + 1] && c[axis] > w;
        }
    }
    for (bool side : beyond) {
        if (side) return true;
    }
    return false;
}
