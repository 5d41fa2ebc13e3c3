// The ball's orientation is rolled in the game's own maths but drawn by
// the GL: both must agree to the bit, or a rolled ball would come out
// different from the one players have always seen.

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>

#include <GL/freeglut.h>

#include "render/shapes.h"
#include "render/view_volume.h"
#include "tests/render/classic_pieces.h"
#include "sim/rotation.h"
#include "tests/render/render_fixture.h"
#include "world/level.h"

namespace {

// The GL's own roll: identity, glRotatef, then the old orientation.
Mat3 rolledByGl(float degrees, Vec3 axis, const Mat3& before)
{
    GLfloat old[16] = {};
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 3; ++r) old[c * 4 + r] = before.m[c * 3 + r];
    old[15] = 1.0f;
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glRotatef(degrees, axis.x, axis.y, axis.z);
    glMultMatrixf(old);
    GLfloat out[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, out);
    glPopMatrix();
    Mat3 after{};
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 3; ++r) after.m[c * 3 + r] = out[c * 4 + r];
    return after;
}

TEST(Orientation, RollingMatchesTheGlMatrixStackBitForBit)
{
    setUpDrawing();
    std::mt19937 random(42);
    std::uniform_real_distribution<float> step(-0.1f, 0.1f);
    Mat3 ours = identityMat3;
    Mat3 theirs = identityMat3;
    for (int i = 0; i < 3000; ++i) {
        // Displacements as the ball makes them, some along one axis only,
        // some too short to have an axis.
        Vec3 d{step(random), 0.0f, step(random)};
        if (i % 7 == 0) d.x = 0.0f;
        if (i % 11 == 0) d.z = 0.0f;
        if (i % 13 == 0) d = {d.x * 1e-4f, 0.0f, d.z * 1e-4f};
        const Vec3 axis = rotateVector(d, {0.0f, 1.0f, 0.0f}, -90.0f);
        const float angle = std::sqrt(d.x * d.x + d.z * d.z) / (0.5f * 6.2831855f) * 360.0f;
        for (Vec3 a : {axis, Vec3{axis.x, 0.0f, 0.0f}, Vec3{0.0f, 0.0f, axis.z}, Vec3{0.0f, axis.x, 0.0f}}) {
            const Mat3 gl = rolledByGl(angle, a, theirs);
            const Mat3 own = multiply(rotationAbout(angle, a), theirs);
            for (int k = 0; k < 9; ++k) {
                // +0 and -0 draw the same; anything else must match exactly.
                ASSERT_TRUE(own.m[k] == gl.m[k]) << "roll " << i << " element " << k;
            }
        }
        theirs = rolledByGl(angle, axis, theirs);
        ours = multiply(rotationAbout(angle, axis), ours);
    }
    for (int k = 0; k < 9; ++k) EXPECT_EQ(ours.m[k], theirs.m[k]) << k;
}

// Our own meshes must draw exactly the pixels of the GLU and GLUT shapes the
// game was always drawn with: same vertices, normals, texture coordinates
// and primitives.
TEST(Meshes, DrawTheSamePixelsAsGluAndGlutShapes)
{
    setUpDrawing();
    const unsigned int halves = halvesTexture();
    auto quadric = [] {
        GLUquadric* q = gluNewQuadric();
        gluQuadricTexture(q, GL_TRUE);
        gluQuadricNormals(q, GLU_SMOOTH);
        return q;
    };
    struct Case {
        const char* what;
        std::function<void()> theirs;
        Mesh ours;
        bool textured;
    };
    const Case cases[] = {
        {"orb sphere", [] { glutSolidSphere(0.75, 50, 50); }, solidSphere(0.75f), false},
        {"ball", [&] { GLUquadric* q = quadric(); gluSphere(q, 0.5, 50, 50); gluDeleteQuadric(q); },
         texturedSphere(0.5f), true},
        {"small ball", [&] { GLUquadric* q = quadric(); gluSphere(q, 0.25, 50, 50); gluDeleteQuadric(q); },
         texturedSphere(0.25f), true},
        {"cylinder wall and bottom",
         [&] {
             GLUquadric* q = quadric();
             gluCylinder(q, 0.6, 0.6, 1.2, 30, 10);
             gluDisk(q, 0.0, 0.6, 30, 10);
             gluDeleteQuadric(q);
         },
         cylinderBody(1.2f), true},
        {"cylinder top", [&] { GLUquadric* q = quadric(); gluDisk(q, 0.0, 0.85, 30, 10); gluDeleteQuadric(q); },
         cylinderTop(1.7f), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto frame = [&](bool ours) {
            glClearColor(0.2f, 0.3f, 0.4f, 1.0f);
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            glMatrixMode(GL_MODELVIEW);
            glLoadIdentity();
            glTranslatef(0.3f, -0.2f, -2.5f);
            glRotatef(37.0f, 1.0f, 0.4f, 0.2f);
            glColor4f(0.0f, 1.0f, 0.0f, 0.6f);
            glEnable(GL_TEXTURE_2D);
            glBindTexture(GL_TEXTURE_2D, c.textured ? halves : drawing().textures.white);
            if (ours) drawMeshHere(c.ours, drawing());
            else c.theirs();
            glDisable(GL_TEXTURE_2D);
            return readAll();
        };
        const std::vector<unsigned char> theirs = frame(false);
        const std::vector<unsigned char> own = frame(true);
        ASSERT_EQ(theirs.size(), own.size());
        EXPECT_TRUE(theirs == own);
        // Not an empty frame that would match anything.
        int covered = 0;
        for (size_t i = 0; i < theirs.size(); i += 4) covered += theirs[i] != 51 || theirs[i + 2] != 102;
        EXPECT_GT(covered, 2000);
    }
}

// Skipping a draw out of view must never skip one that reaches a pixel.
TEST(ViewVolume, BoxesOutOfViewAndBoxesThatReachIt)
{
    // 45 degrees, 1 to 200; the eye at the origin, looking down -z.
    const ViewVolume view = viewVolume(perspective(45.0, double(viewWidth) / viewHeight, 1.0, 200.0), identityMat4);
    struct Case {
        const char* what;
        Vec3 low, size;
        bool out;
    };
    const Case cases[] = {
        {"ahead", {-1, -1, -11}, {2, 2, 2}, false},
        {"behind the eye", {-1, -1, 5}, {2, 2, 2}, true},
        {"beyond the far plane", {-1, -1, -260}, {2, 2, 2}, true},
        {"far off to the left", {-60, -1, -11}, {2, 2, 2}, true},
        {"far above", {-1, 40, -11}, {2, 2, 2}, true},
        {"around the eye", {-5, -5, -5}, {10, 10, 10}, false},
        {"a long bar crossing the view", {-500, -1, -20}, {1000, 1, 1}, false},
        {"just inside the left edge", {-5.6f, -0.5f, -11}, {0.5f, 1, 1}, false},
        {"just outside the left edge", {-7.5f, -0.5f, -11}, {0.5f, 1, 1}, true},
        {"reaching past the near plane", {-0.1f, -0.1f, -1.2f}, {0.2f, 0.2f, 1.0f}, false},
    };
    for (const Case& c : cases) EXPECT_EQ(outOfView(view, c.low, c.size), c.out) << c.what;
}

}  // namespace
