#pragma once
// 4x4 matrices on the CPU, column-major as GL keeps them. Each operation
// rounds exactly as Mesa's matrix stack does, so a frame built here draws
// the very pixels the stack used to give, and a view test can be run with no
// GL at all.

#include "world/vec3.h"

struct Mat4 {
    float m[16];

    bool operator==(const Mat4&) const = default;
};

constexpr Mat4 identityMat4{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};

// a * b.
Mat4 multiply(const Mat4& a, const Mat4& b);
// m * translation, m * rotation about the axis (degrees), m * scale: what
// glTranslatef, glRotatef and glScalef do to the current matrix.
void translate(Mat4& m, float x, float y, float z);
void rotate(Mat4& m, float degrees, float x, float y, float z);
void scale(Mat4& m, float x, float y, float z);
// The projections of gluPerspective and glOrtho, as loaded on an identity.
Mat4 perspective(double fovyDegrees, double aspect, double zNear, double zFar);
Mat4 orthographic(double left, double right, double bottom, double top, double zNear, double zFar);

// m * (x, y, z, w), as GL transforms a light's position.
void transformPoint(const Mat4& m, const float (&p)[4], float (&out)[4]);
