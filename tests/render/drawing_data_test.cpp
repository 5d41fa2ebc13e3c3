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

#include "render/objects.h"
#include "render/sphere.h"
#include "render/texturing.h"
#include "render/view_volume.h"
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

// Every block of the course draws with a live texture of its material.
TEST(Materials, EveryCourseBlockHasTheLiveTextureOfItsMaterial)
{
    setUpDrawing();
    const Textures& t = testGraphics.textures;
    const Course course = buildLevel();
    for (std::size_t i = 0; i < course.blocks.size(); ++i) {
        const Block& block = course.blocks[i];
        const unsigned int texture = textureOf(t, block);
        EXPECT_EQ(glIsTexture(texture), GL_TRUE) << i + 1;
        switch (block.material) {
        case Material::Metal: EXPECT_EQ(texture, t.metal) << i + 1; break;
        case Material::Glass: EXPECT_EQ(texture, t.glass) << i + 1; break;
        case Material::Wood: EXPECT_EQ(texture, t.wood[std::size_t(block.grain)]) << i + 1; break;
        case Material::None: ADD_FAILURE() << "block " << i + 1 << " has no material"; break;
        }
    }
    // The discs run through the six grains in turn.
    for (int k = 0; k < 12; ++k) EXPECT_EQ(textureOf(t, course.blocks[std::size_t(1 + k)]), t.wood[std::size_t(k % 6)]);
    Block bare{};
    EXPECT_EQ(textureOf(t, bare), 0u);
}

// The orbs' sphere is the game's own; it must come out exactly as the GLUT
// solid sphere they were always drawn with.
TEST(Sphere, DrawsTheSamePixelsAsGlutsSolidSphere)
{
    setUpDrawing();
    const SphereMesh mesh = makeSphereMesh(0.75f, 50, 50);
    auto draw = [&](bool ours) {
        glClearColor(0.2f, 0.3f, 0.4f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glTranslatef(0.3f, -0.2f, -2.5f);
        glRotatef(37.0f, 1.0f, 0.4f, 0.2f);
        glColor4f(0.0f, 1.0f, 0.0f, 0.6f);
        if (ours) {
            drawSphereMesh(mesh);
        } else {
            glutSolidSphere(0.75, 50, 50);
        }
        return readAll();
    };
    const std::vector<unsigned char> glut = draw(false);
    const std::vector<unsigned char> own = draw(true);
    ASSERT_EQ(glut.size(), own.size());
    EXPECT_TRUE(glut == own);
    // Not an empty frame that would match anything.
    int covered = 0;
    for (size_t i = 0; i < glut.size(); i += 4) covered += glut[i + 1] > 100;
    EXPECT_GT(covered, viewWidth * viewHeight / 8);
}

// The compiled shapes draw exactly what drawing them afresh draws.
TEST(Meshes, CompiledShapesDrawTheSamePixelsAsFreshOnes)
{
    setUpDrawing();
    const Course course = buildLevel();
    Graphics fresh = drawing();
    fresh.meshes = Meshes{};
    Ball ball;
    const Block& disc = course.blocks[1];
    const auto isLift = [](const Block& b) { return b.shape == Shape::Cylinder && b.size.x < 8.0f; };
    const auto found = std::find_if(course.blocks.begin(), course.blocks.end(), isLift);
    ASSERT_NE(found, course.blocks.end());
    const Block& lift = *found;
    ASSERT_EQ(disc.shape, Shape::Cylinder);
    struct Case {
        const char* what;
        std::function<void(const Graphics&)> draw;
        Vec3 eye;
    };
    const Case cases[] = {
        {"disc", [&](const Graphics& g) { drawBlock(disc, false, g); }, {20.0f, 12.0f, 8.0f}},
        {"disc top", [&](const Graphics& g) { drawBlock(disc, true, g); }, {20.0f, 12.0f, 8.0f}},
        {"lift", [&](const Graphics& g) { drawBlock(lift, false, g); }, {lift.position.x + 12.0f, lift.position.y + 6.0f, lift.position.z + 9.0f}},
        {"ball", [&](const Graphics& g) { drawBall(ball, g); }, {9.0f, 1.5f, 2.0f}},
        {"ring", [&](const Graphics& g) { drawGoal({0.0f, 0.0f, 0.0f}, 30.0f, g); }, {3.0f, 2.0f, 5.0f}},
        {"orb", [&](const Graphics& g) { drawSizeOrb(SizeOrb{{0.0f, 0.0f, 0.0f}, 2, 0.6f, true, 0.0f}, g); }, {1.0f, 1.0f, 2.5f}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto frame = [&](const Graphics& g) {
            glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
            glMatrixMode(GL_MODELVIEW);
            glLoadIdentity();
            const Vec3 at = c.what[0] == 'l' ? lift.position : (c.what[0] == 'b' ? ball.position : Vec3{});
            gluLookAt(c.eye.x, c.eye.y, c.eye.z, at.x, at.y, at.z, 0.0, 1.0, 0.0);
            fullAmbient();
            c.draw(g);
            return readAll();
        };
        const std::vector<unsigned char> compiled = frame(drawing());
        const std::vector<unsigned char> afresh = frame(fresh);
        EXPECT_TRUE(compiled == afresh);
        int drawn = 0;
        for (size_t i = 0; i < compiled.size(); i += 4) drawn += compiled[i] != 128 || compiled[i + 1] != 128;
        EXPECT_GT(drawn, 200) << "nothing in view";
    }
}

// Skipping a draw out of view must never skip one that reaches a pixel.
TEST(ViewVolume, BoxesOutOfViewAndBoxesThatReachIt)
{
    setUpDrawing();
    gamePerspective(viewWidth, viewHeight);  // 45 degrees, 1 to 200
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();  // the eye at the origin, looking down -z
    const ViewVolume view = currentViewVolume();
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
