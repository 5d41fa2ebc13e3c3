#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>

#include "app/desktop/window.h"
#include "render/frame.h"
#include "tools/headless/egl_context.h"

namespace {

class ReshapeTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(makeHeadlessContext()); }

    WindowSize window;

    void onReshape(int width, int height) { reshapeWindow(window, width, height); }

    void SetUp() override
    {
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }

    // The projection every frame of this window is drawn with.
    void projection(float m[16]) const
    {
        const Mat4 p = sceneProjection(false, window.width, window.height);
        for (int i = 0; i < 16; ++i) m[i] = p.m[i];
    }
};

// 1 / tan(22.5 degrees): the vertical scale of a 45 degree field of view.
const float focal = float(1.0 / std::tan(22.5 * 3.14159265358979 / 180.0));

TEST_F(ReshapeTest, SetsViewportAndTheFramesPerspective)
{
    onReshape(1280, 1024);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[0], 0);
    EXPECT_EQ(viewport[1], 0);
    EXPECT_EQ(viewport[2], 1280);
    EXPECT_EQ(viewport[3], 1024);

    float m[16];
    projection(m);
    // The aspect ratio is 1.25, not the 1 an integer division would give.
    EXPECT_NEAR(m[0], focal / 1.25f, 1e-5f);
    EXPECT_NEAR(m[5], focal, 1e-5f);
    EXPECT_NEAR(m[10], -201.0f / 199.0f, 1e-5f);
    EXPECT_NEAR(m[14], -400.0f / 199.0f, 1e-5f);
    EXPECT_EQ(m[11], -1.0f);
    EXPECT_EQ(window.width, 1280);
    EXPECT_EQ(window.height, 1024);
}

TEST_F(ReshapeTest, TheLastSizeHolds)
{
    onReshape(1280, 1024);
    onReshape(800, 600);
    float m[16];
    projection(m);
    EXPECT_NEAR(m[5], focal, 1e-5f);
    EXPECT_NEAR(m[0], focal * 600.0f / 800.0f, 1e-5f);
}

TEST_F(ReshapeTest, ZeroHeightIsTreatedAsOnePixel)
{
    onReshape(640, 0);
    float m[16];
    projection(m);
    for (float value : m) EXPECT_TRUE(std::isfinite(value));
    EXPECT_NEAR(m[0], focal / 640.0f, 1e-6f);
    EXPECT_EQ(window.width, 640);
    EXPECT_EQ(window.height, 1);
}

}  // namespace
