#include "render/matrix.h"

#include <cmath>

#include "sim/rotation.h"

Mat4 multiply(const Mat4& a, const Mat4& b)
{
    Mat4 p{};
    for (int i = 0; i < 4; ++i) {
        const float ai0 = a.m[i], ai1 = a.m[4 + i], ai2 = a.m[8 + i], ai3 = a.m[12 + i];
        for (int j = 0; j < 4; ++j) {
            const float* bj = &b.m[j * 4];
            p.m[j * 4 + i] = ai0 * bj[0] + ai1 * bj[1] + ai2 * bj[2] + ai3 * bj[3];
        }
    }
    return p;
}

void translate(Mat4& m, float x, float y, float z)
{
    for (int row = 0; row < 4; ++row) {
        m.m[12 + row] = m.m[row] * x + m.m[4 + row] * y + m.m[8 + row] * z + m.m[12 + row];
    }
}

void rotate(Mat4& m, float degrees, float x, float y, float z)
{
    // The ball's orientation already rounds as glRotatef does; a 4x4 turn is
    // that 3x3 with nothing moved.
    const Mat3 r = rotationAbout(degrees, {x, y, z});
    Mat4 turn = identityMat4;
    for (int column = 0; column < 3; ++column) {
        for (int row = 0; row < 3; ++row) turn.m[column * 4 + row] = r.m[column * 3 + row];
    }
    m = multiply(m, turn);
}

void scale(Mat4& m, float x, float y, float z)
{
    for (int row = 0; row < 4; ++row) {
        m.m[row] *= x;
        m.m[4 + row] *= y;
        m.m[8 + row] *= z;
    }
}

namespace {

// A matrix given in double, as glMultMatrixd takes it onto an identity.
Mat4 fromDouble(const double (&d)[16])
{
    Mat4 given{};
    for (int i = 0; i < 16; ++i) given.m[i] = static_cast<float>(d[i]);
    return multiply(identityMat4, given);
}

}  // namespace

Mat4 perspective(double fovyDegrees, double aspect, double zNear, double zFar)
{
    const double radians = fovyDegrees / 2 * 3.14159265358979323846 / 180;
    const double deltaZ = zFar - zNear;
    const double sine = std::sin(radians);
    if (deltaZ == 0 || sine == 0 || aspect == 0) return identityMat4;
    const double cotangent = std::cos(radians) / sine;
    double d[16] = {};
    d[0] = cotangent / aspect;
    d[5] = cotangent;
    d[10] = -(zFar + zNear) / deltaZ;
    d[11] = -1;
    d[14] = -2 * zNear * zFar / deltaZ;
    return fromDouble(d);
}

Mat4 orthographic(double left, double right, double bottom, double top, double zNear, double zFar)
{
    double d[16] = {};
    d[0] = 2.0 / (right - left);
    d[5] = 2.0 / (top - bottom);
    d[10] = -2.0 / (zFar - zNear);
    d[12] = -(right + left) / (right - left);
    d[13] = -(top + bottom) / (top - bottom);
    d[14] = -(zFar + zNear) / (zFar - zNear);
    d[15] = 1.0;
    Mat4 m{};
    for (int i = 0; i < 16; ++i) m.m[i] = static_cast<float>(d[i]);
    return m;
}

void transformPoint(const Mat4& m, const float (&p)[4], float (&out)[4])
{
    for (int row = 0; row < 4; ++row) {
        out[row] = m.m[row] * p[0] + m.m[4 + row] * p[1] + m.m[8 + row] * p[2] + m.m[12 + row] * p[3];
    }
}
