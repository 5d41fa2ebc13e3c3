#include "render/view_volume.h"

namespace {

// A box is grown by this much on every side before the test, so that no
// rounding between this test and the renderer's clipping can drop a draw
// that would have touched a pixel.
constexpr float margin = 0.05f;

}  // namespace

ViewVolume viewVolume(const Mat4& projection, const Mat4& modelView)
{
    return {multiply(projection, modelView)};
}

bool outOfView(const ViewVolume& view, const Vec3& low, const Vec3& size)
{
    // For each of the six sides of the view, whether every corner is beyond it.
    bool beyond[6] = {true, true, true, true, true, true};
    const float* m = view.clip.m;
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
