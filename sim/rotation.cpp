#include "sim/rotation.h"

#include <cmath>

#include "sim/trig.h"

namespace {

float& at(Mat3& r, int row, int column)
{
    return r.m[column * 3 + row];
}

}  // namespace

Turn turnOf(Vec3 axis, float degrees)
{
    const float length = std::sqrt(axis.x * axis.x + axis.y * axis.y + axis.z * axis.z);
    Turn turn;
    turn.axis = {axis.x / length, axis.y / length, axis.z / length};
    portableSinCos(degrees * 3.1415927f / 180.0f, turn.sine, turn.cosine);
    return turn;
}

Vec3 rotateVector(Vec3 v, Vec3 axis, float degrees)
{
    return turnVector(v, turnOf(axis, degrees));
}

Mat3 rotationAbout(float degrees, const Vec3& axis)
{
    Mat3 r = identityMat3;
    if (degrees == 0.0f) return r;
    float s = 0.0f;
    float c = 0.0f;
    portableSinCos(static_cast<float>(degrees * 3.14159265358979323846 / 180.0), s, c);
    float x = axis.x;
    float y = axis.y;
    float z = axis.z;

    // A turn about one of the axes is written out exactly.
    if (x == 0.0f && y == 0.0f && z != 0.0f) {
        at(r, 0, 0) = c;
        at(r, 1, 1) = c;
        at(r, 0, 1) = z < 0.0f ? s : -s;
        at(r, 1, 0) = z < 0.0f ? -s : s;
        return r;
    }
    if (x == 0.0f && z == 0.0f && y != 0.0f) {
        at(r, 0, 0) = c;
        at(r, 2, 2) = c;
        at(r, 0, 2) = y < 0.0f ? -s : s;
        at(r, 2, 0) = y < 0.0f ? s : -s;
        return r;
    }
    if (y == 0.0f && z == 0.0f && x != 0.0f) {
        at(r, 1, 1) = c;
        at(r, 2, 2) = c;
        at(r, 1, 2) = x < 0.0f ? s : -s;
        at(r, 2, 1) = x < 0.0f ? -s : s;
        return r;
    }

    const float mag = std::sqrt(x * x + y * y + z * z);
    if (mag <= 1.0e-4f) return r;
    x /= mag;
    y /= mag;
    z /= mag;
    const float xx = x * x, yy = y * y, zz = z * z;
    const float xy = x * y, yz = y * z, zx = z * x;
    const float xs = x * s, ys = y * s, zs = z * s;
    const float oneC = 1.0f - c;
    at(r, 0, 0) = (oneC * xx) + c;
    at(r, 0, 1) = (oneC * xy) - zs;
    at(r, 0, 2) = (oneC * zx) + ys;
    at(r, 1, 0) = (oneC * xy) + zs;
    at(r, 1, 1) = (oneC * yy) + c;
    at(r, 1, 2) = (oneC * yz) - xs;
    at(r, 2, 0) = (oneC * zx) - ys;
    at(r, 2, 1) = (oneC * yz) + xs;
    at(r, 2, 2) = (oneC * zz) + c;
    return r;
}

Mat3 multiply(const Mat3& a, const Mat3& b)
{
    // Column by column, each entry a's row times b's column summed in
    // order; written out, so that the ball's roll keeps it in registers.
    Mat3 p;
    for (int j = 0; j < 3; ++j) {
        const float b0 = b.m[j * 3];
        const float b1 = b.m[j * 3 + 1];
        const float b2 = b.m[j * 3 + 2];
        p.m[j * 3] = a.m[0] * b0 + a.m[3] * b1 + a.m[6] * b2;
        p.m[j * 3 + 1] = a.m[1] * b0 + a.m[4] * b1 + a.m[7] * b2;
        p.m[j * 3 + 2] = a.m[2] * b0 + a.m[5] * b1 + a.m[8] * b2;
    }
    return p;
}
