#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "tests/render/classic_pieces.h"
#include "tests/render/render_fixture.h"
#include "world/level.h"
#include "world/world.h"

namespace {

const unsigned char skyColours[6][3] = {{90, 140, 220}, {100, 150, 230}, {80, 130, 210},
                                        {110, 160, 240}, {200, 220, 255}, {40, 60, 90}};

bool isSky(const unsigned char* p)
{
    for (const auto& c : skyColours) {
        if (sameColour({p[0], p[1], p[2], 255}, c[0], c[1], c[2], 1)) return true;
    }
    return false;
}

struct Comparison {
    int skyMismatches = 0;  // sky on one path, anything else on the other
    int shadowMismatches = 0;  // black on one path only
    int hueMismatches = 0;  // lit surfaces whose colours differ beyond brightness
    int litPixels = 0;
};

// Per-pixel and per-vertex lighting may make a lit surface brighter or
// darker; what it may not change is where the sky and the shadow are, or
// the colour of a surface once brightness is set aside.
Comparison compare(const std::vector<unsigned char>& shader, const std::vector<unsigned char>& fixed)
{
    Comparison c;
    for (size_t i = 0; i < shader.size(); i += 4) {
        const unsigned char* a = &shader[i];
        const unsigned char* b = &fixed[i];
        int worst = 0;
        for (int k = 0; k < 3; ++k) worst = std::max(worst, std::abs(int(a[k]) - int(b[k])));
        if (isSky(a) || isSky(b)) {
            c.skyMismatches += worst > 3;
            continue;
        }
        const int sumA = a[0] + a[1] + a[2];
        const int sumB = b[0] + b[1] + b[2];
        if ((sumA == 0) != (sumB == 0)) {
            ++c.shadowMismatches;
            continue;
        }
        if (sumA == 0) continue;
        ++c.litPixels;
        int hue = 0;
        for (int k = 0; k < 3; ++k) {
            hue = std::max(hue, std::abs(a[k] * 255 / sumA - b[k] * 255 / sumB));
        }
        c.hueMismatches += hue > 12;
    }
    return c;
}

class WholeFrame : public ::testing::Test {
protected:
    void SetUp() override
    {
        setUpDrawing();
        testTextures.ball = solidTexture(230, 230, 230);
        testTextures.metal = solidTexture(170, 180, 190);
        testTextures.glass = solidTexture(120, 200, 255);
        for (int i = 0; i < 6; ++i) {
            testTextures.wood[size_t(i)] = solidTexture(150 + 15 * i, 100 + 5 * i, 50);
        }
        for (int i = 0; i < 6; ++i) {
            testTextures.sky[i] = solidTexture(skyColours[i][0], skyColours[i][1], skyColours[i][2]);
        }
        testGame.course = std::make_shared<const Course>(buildLevel());
        testGame.courseState = startState(*testGame.course);
    }
    void TearDown() override
    {
        useShaderProgram(testGraphics.shader, true);
        resetCourse();
    }

    static std::vector<unsigned char> frame(bool shader)
    {
        useShaderProgram(testGraphics.shader, shader);
        drawScene(testGame, drawing());
        return readAll();
    }

    static void expectPathsAgree(Vec3 ballAt, const char* where)
    {
        SCOPED_TRACE(where);
        testBall.position = ballAt;
        const Comparison c = compare(frame(true), frame(false));
        const int pixels = viewWidth * viewHeight;
        EXPECT_LT(c.skyMismatches, pixels / 200);
        EXPECT_LT(c.shadowMismatches, pixels / 500);
        EXPECT_LT(c.hueMismatches, c.litPixels / 1000 + 5);
    }
};

TEST_F(WholeFrame, ShaderAndFixedFunctionPathsAgree)
{
    expectPathsAgree({7.0f, 0.5f, 0.0f}, "start");
    expectPathsAgree({0.0f, 3.5f, -11.0f}, "discs");
    expectPathsAgree({153.0f, 176.5f, -19.0f}, "summit");
    testGame.camera.viewQuadrant = 2;
    testGame.camera.cameraPitch = 20.0f;
    expectPathsAgree({153.0f, 176.5f, -19.0f}, "summit, turned");
}

TEST_F(WholeFrame, BallsOwnViewLooksDownOntoTheTopItStandsOn)
{
    // Looking down from the ball on the middle of the start pad, every
    // pixel is the pad's lit top: never its dark underside or the sky below,
    // which show where the top is cut away.
    testGame.camera.firstPersonView = true;
    for (float radius : {0.25f, 0.5f, 1.0f}) {
        for (float pitch : {45.0f, 70.0f, 90.0f}) {
            SCOPED_TRACE(testing::Message() << "radius " << radius << ", pitch " << pitch);
            testBall.radius = radius;
            testBall.position = {7.0f, 0.5f, 0.0f};
            testGame.camera.cameraPitch = pitch;
            const std::vector<unsigned char> pixels = frame(true);
            int wrong = 0;
            for (size_t i = 0; i < pixels.size(); i += 4) {
                const int brightest = std::max({pixels[i], pixels[i + 1], pixels[i + 2]});
                wrong += brightest < 120;
            }
            EXPECT_EQ(wrong, 0) << "of " << pixels.size() / 4 << " pixels";
        }
    }
}

// The chase camera's view of the ball on the start pad.
void loadStartView()
{
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -25.0f);
    glRotatef(15.0f, 1.0f, 0.0f, 0.0f);
    glTranslatef(-7.0f, -0.5f, 0.0f);
}

Rgba pixelOf(double x, double y, double z)
{
    loadStartView();
    const ScreenPoint p = screenOf(x, y, z);
    return readPixel(static_cast<int>(p.x), static_cast<int>(p.y));
}

TEST_F(WholeFrame, StartShowsSkyPadAndBall)
{
    testBall.position = {7.0f, 0.5f, 0.0f};
    drawScene(testGame, drawing());
    // The pad's top is drawn one radius below its stored height of 0.5.
    const Rgba pad = pixelOf(7.0, 0.0, 3.5);
    const Rgba ballTop = pixelOf(7.0, 0.9, 0.0);
    const Rgba sky = readPixel(viewWidth / 2, viewHeight - 4);
    EXPECT_TRUE(sameColour(sky, 90, 140, 220, 1));
    EXPECT_FALSE(sameColour(pad, 90, 140, 220, 20));
    EXPECT_GT(pad.b, pad.r) << "lit metal";
    EXPECT_GT(ballTop.r, 150) << "the ball's lit top";
    EXPECT_NEAR(ballTop.r, ballTop.b, 3);
}

TEST_F(WholeFrame, LightAndWorldFollowTheBallsRadius)
{
    testBall.position = {7.0f, 0.5f, 0.0f};
    testBall.radius = 1.0f;
    drawScene(testGame, drawing());
    GLfloat light[4];
    glGetLightfv(GL_LIGHT0, GL_POSITION, light);
    // Stored in eye space: the camera is 25 back and tilted, so compare with
    // the view of the expected world point (7, 0.5 + 2 + 3, 0.3).
    GLfloat view[16];
    loadStartView();
    glGetFloatv(GL_MODELVIEW_MATRIX, view);
    const float world[4] = {7.0f, 5.5f, 0.3f, 1.0f};
    for (int row = 0; row < 3; ++row) {
        float expected = 0.0f;
        for (int k = 0; k < 4; ++k) expected += view[k * 4 + row] * world[k];
        EXPECT_NEAR(light[row], expected, 1e-3) << "row " << row;
    }
}

// A grey wall facing the eye with the light straight in front of the centre
// pixel: per-pixel lighting gives the full ambient + diffuse + highlight sum
// there (per-vertex lighting at the far corners would not), and with the
// light behind the wall both paths give the ambient term alone.
TEST(PerPixelLighting, MatchesTheFixedFunctionSumWhereTheLightFacesTheWall)
{
    setUpDrawing();
    const GLfloat white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    const GLfloat specular[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    glLightfv(GL_LIGHT0, GL_SPECULAR, specular);
    glMaterialfv(GL_FRONT, GL_SPECULAR, white);
    glMateriali(GL_FRONT, GL_SHININESS, 10);
    // Untextured, as the game leaves it between draws.
    glDisable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, testTextures.white);
    auto wallCentre = [](float lightZ, bool shader) {
        useShaderProgram(testGraphics.shader, shader);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        const GLfloat light[4] = {0.0f, 0.0f, lightZ, 1.0f};
        glLightfv(GL_LIGHT0, GL_POSITION, light);
        glColor4f(0.4f, 0.4f, 0.4f, 1.0f);
        glBegin(GL_QUADS);
        glNormal3f(0.0f, 0.0f, 1.0f);
        glVertex3f(-10.0f, -10.0f, -10.0f);
        glVertex3f(10.0f, -10.0f, -10.0f);
        glVertex3f(10.0f, 10.0f, -10.0f);
        glVertex3f(-10.0f, 10.0f, -10.0f);
        glEnd();
        return middlePixel();
    };
    // 0.15 * 0.4 + 1 * 0.4 + 0.2 * 1 = 0.66; ambient alone 0.06.
    const Rgba lit = wallCentre(-5.0f, true);
    EXPECT_TRUE(sameColour(lit, 168, 168, 168)) << int(lit.r);
    const Rgba behind = wallCentre(-15.0f, true);
    EXPECT_TRUE(sameColour(behind, 15, 15, 15)) << int(behind.r);
    EXPECT_TRUE(sameColour(wallCentre(-15.0f, false), behind.r, behind.g, behind.b, 1));
    useShaderProgram(testGraphics.shader, true);
}

}  // namespace
