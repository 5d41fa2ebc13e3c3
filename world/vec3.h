#pragma once

// Three single-precision floats: a point, an extent, a velocity or a colour.
struct Vec3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    // Axis access by number (0 = x, 1 = y, 2 = z), as the face tests of the
    // collision work axis by axis.
    float& operator[](int axis) { return axis == 0 ? x : axis == 1 ? y : z; }
    float operator[](int axis) const { return axis == 0 ? x : axis == 1 ? y : z; }

    bool operator==(const Vec3&) const = default;
};
