#pragma once
// Turning vectors and the ball's orientation, in the game's own maths.

#include "world/vec3.h"

// A 3x3 rotation, column-major like the upper left of a GL matrix:
// m[column * 3 + row].
struct Mat3 {
    float m[9];

    bool operator==(const Mat3&) const = default;
};

constexpr Mat3 identityMat3{{1.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 1.0f}};

// Turns v about axis by degrees, in the opposite sense to glRotatef.
Vec3 rotateVector(Vec3 v, Vec3 axis, float degrees);

// rotateVector's turn worked out once, for turning many vectors alike: the
// ball's steps in a tick all turn by the same heading. turnVector(v,
// turnOf(axis, degrees)) is rotateVector(v, axis, degrees) to the bit.
struct Turn {
    Vec3 axis;      // made unit length
    float cosine;
    float sine;

    bool operator==(const Turn&) const = default;
};

Turn turnOf(Vec3 axis, float degrees);

// In the header so that the ball's step has it inline, its vectors in
// registers.
inline Vec3 turnVector(const Vec3& v, const Turn& turn)
{
    const Vec3& n = turn.axis;
    const float c = turn.cosine;
    const float s = turn.sine;
    float along = n.x * v.x + n.y * v.y + n.z * v.z;
    float keep = 1.0f - c;
    Vec3 cross{v.y * n.z - v.z * n.y, v.z * n.x - v.x * n.z, v.x * n.y - v.y * n.x};
    return {v.x * c + n.x * along * keep + cross.x * s,
            v.y * c + n.y * along * keep + cross.y * s,
            v.z * c + n.z * along * keep + cross.z * s};
}

// The rotation glRotatef(degrees, axis) makes, with the same float rounding,
// so that the rolled ball looks exactly as it always has. An axis shorter
// than 1e-4 gives no rotation.
Mat3 rotationAbout(float degrees, const Vec3& axis);

// a * b, summed in float column by column as the GL matrix stack does.
Mat3 multiply(const Mat3& a, const Mat3& b);
