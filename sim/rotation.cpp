#include "sim/rotation.h"

#include <cmath>

#include "sim/trig.h"

namespace {

float& at(Mat3& r, int row, int column)
{
    return r.m[column * 3 + row];
}

float at(const Mat3& r, int row, int column)
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

Vec3 turnVector(Vec3 v, const Turn& turn)
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

Mat3 rotationAbout(float degrees, Vec3 axis)
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
    // Column by column, each entry summed in the same order as ever.
    Mat3 p{};
    for (int j = 0; j < 3; ++j) {
        const float b0 = at(b, 0, j);
        const float b1 = at(b, 1, j);
        const float b2 = at(b, 2, j);
        for (int i = 0; i < 3; ++i) at(p, i, j) = at(a, i, 0) * b0 + at(a, i, 1) * b1 + at(a, i, 2) * b2;
    }
    return p;
}
