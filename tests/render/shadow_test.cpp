#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "render/shadow.h"
#include "tests/sim/test_blocks.h"
#include "tests/render/classic_pieces.h"
#include "tests/render/render_fixture.h"
#include "world/world.h"

namespace {

class ShadowReceiver : public ::testing::Test {
protected:
    void SetUp() override { resetCourse(); }
    void TearDown() override { resetCourse(); }

    float receiverAt(Vec3 position, Block* copied = nullptr)
    {
        Ball b{};
        b.radius = 0.5f;
        size_t receiver = 0;
        const float h = findShadowReceiver(b, testGame.course->blocks, testGame.courseState.blocks, position, receiver);
        if (copied != nullptr && h >= 0.0f) *copied = testGame.course->blocks[receiver];
        return h;
    }
};

TEST_F(ShadowReceiver, LowerEdgesAreWidenedByTheRadiusUpperEdgesAreNot)
{
    addBlock(testGame, {0.0f, 0.0f, 0.0f}, {4.0f, 1.0f, 4.0f});
    EXPECT_FLOAT_EQ(receiverAt({2.0f, 1.0f, 2.0f}), 1.0f);
    EXPECT_FLOAT_EQ(receiverAt({-0.5f, 1.0f, 2.0f}), 1.0f);
    EXPECT_FLOAT_EQ(receiverAt({-0.51f, 1.0f, 2.0f}), -1.0f);
    EXPECT_FLOAT_EQ(receiverAt({2.0f, 1.0f, -0.5f}), 1.0f);
    EXPECT_FLOAT_EQ(receiverAt({2.0f, 1.0f, -0.51f}), -1.0f);
    EXPECT_FLOAT_EQ(receiverAt({4.0f, 1.0f, 4.0f}), 1.0f);
    EXPECT_FLOAT_EQ(receiverAt({4.01f, 1.0f, 2.0f}), -1.0f);
    EXPECT_FLOAT_EQ(receiverAt({2.0f, 1.0f, 4.01f}), -1.0f);
}

TEST_F(ShadowReceiver, HighestTopNotAboveTheBallWinsAndTiesKeepTheFirst)
{
    addBlock(testGame, {0.0f, 0.0f, 0.0f}, {4.0f, 1.0f, 4.0f});
    addBlock(testGame, {0.0f, 0.0f, 0.0f}, {4.0f, 3.0f, 4.0f});
    Block* first = &blockOf(testGame, addBlock(testGame, {0.0f, 5.0f, 0.0f}, {4.0f, 1.0f, 4.0f}));
    setTexture(*first, 11);
    setTexture(blockOf(testGame, addBlock(testGame, {0.0f, 4.0f, 0.0f}, {4.0f, 2.0f, 4.0f})), 22);
    addBlock(testGame, {0.0f, 9.0f, 0.0f}, {4.0f, 1.0f, 4.0f});  // above the ball

    EXPECT_FLOAT_EQ(receiverAt({2.0f, 2.5f, 2.0f}), 1.0f);
    EXPECT_FLOAT_EQ(receiverAt({2.0f, 2.991f, 2.0f}), 3.0f) << "0.01 above the ball still counts";
    Block copied{};
    EXPECT_FLOAT_EQ(receiverAt({2.0f, 7.0f, 2.0f}, &copied), 6.0f);
    EXPECT_EQ(textureOfBlock(textureIdsOf(testTextures), copied), 11u);
}

TEST_F(ShadowReceiver, NothingUnderTheBall)
{
    EXPECT_FLOAT_EQ(receiverAt({0.0f, 0.0f, 0.0f}), -1.0f);
    addBlock(testGame, {10.0f, 0.0f, 0.0f}, {4.0f, 1.0f, 4.0f});
    EXPECT_FLOAT_EQ(receiverAt({0.0f, 5.0f, 0.0f}), -1.0f);
}

// The blob seen from above, over green tops on a grey background.
class ShadowDrawing : public ::testing::Test {
protected:
    void SetUp() override
    {
        setUpDrawing();
        fullAmbient();
        green = solidTexture(0, 255, 0);
        blue = solidTexture(0, 0, 255);
        glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
    }
    void TearDown() override { resetCourse(); }

    // Draws every block, then the shadow, as the frame does.
    void drawFrom(float x, float z)
    {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        lookDown(x, z);
        for (const Block& b : testGame.course->blocks) drawBlock(b, false, drawing());
        drawBallShadow(testBall, testGame.course->blocks, drawing());
    }

    static Rgba at(float x, float z, float centreX, float centreZ)
    {
        return readPixel(columnOf(x, centreX), rowOf(-z, -centreZ));
    }

    static bool black(Rgba p) { return sameColour(p, 0, 0, 0); }

    unsigned int green = 0;
    unsigned int blue = 0;
};

TEST_F(ShadowDrawing, BlackOnTheTopUnderTheBallAndCutAtTheEdge)
{
    setTexture(blockOf(testGame, addBlock(testGame, {-20.0f, -6.0f, -20.0f}, {40.0f, 1.0f, 40.0f})), blue);
    setTexture(blockOf(testGame, addBlock(testGame, {-4.0f, -1.0f, -4.0f}, {8.0f, 1.0f, 8.0f})), green);
    testBall.position = {0.0f, 0.0f, 0.0f};
    testBall.radius = 1.0f;
    drawFrom(0.0f, 0.0f);
    EXPECT_TRUE(black(at(0.0f, 0.0f, 0.0f, 0.0f)));
    EXPECT_TRUE(black(at(1.1f, 0.0f, 0.0f, 0.0f))) << "the blob reaches 1.25 R";
    EXPECT_TRUE(sameColour(at(1.4f, 0.0f, 0.0f, 0.0f), 0, 255, 0));

    // Near the edge the blob stops at the platform's edge; the lower block
    // beyond shows no shadow.
    testBall.position = {3.5f, 0.0f, 0.0f};
    drawFrom(0.0f, 0.0f);
    EXPECT_TRUE(black(at(3.9f, 0.0f, 0.0f, 0.0f)));
    EXPECT_TRUE(sameColour(at(4.1f, 0.0f, 0.0f, 0.0f), 0, 0, 255));
    EXPECT_TRUE(sameColour(at(4.6f, 0.0f, 0.0f, 0.0f), 0, 0, 255));
}

TEST_F(ShadowDrawing, NoneOverTheVoidOrOnATopBelowZero)
{
    setTexture(blockOf(testGame, addBlock(testGame, {-4.0f, -1.0f, -4.0f}, {8.0f, 1.0f, 8.0f})), green);
    testBall.position = {6.0f, 0.0f, 0.0f};
    drawFrom(6.0f, 0.0f);
    EXPECT_TRUE(sameColour(at(6.0f, 0.0f, 6.0f, 0.0f), 128, 128, 128));
    EXPECT_TRUE(sameColour(at(3.9f, 0.0f, 6.0f, 0.0f), 0, 255, 0));

    resetCourse();
    setTexture(blockOf(testGame, addBlock(testGame, {-4.0f, -1.5f, -4.0f}, {8.0f, 1.0f, 8.0f})), green);
    testBall.position = {0.0f, -0.5f, 0.0f};
    drawFrom(0.0f, 0.0f);
    EXPECT_TRUE(sameColour(at(0.0f, 0.0f, 0.0f, 0.0f), 0, 255, 0)) << "top at -0.5";
}

TEST(ShadowDisc, OneFanOfAHundredTrianglesClosingTheRim)
{
    setUpDrawing();
    // Feedback hands back every triangle the fan makes, in eye coordinates
    // under an identity view and an orthographic projection.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-2.0, 2.0, -2.0, 2.0, -2.0, 2.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);  // the disc's plane faces the viewer
    std::vector<GLfloat> buffer(100000);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    drawDisc(1.5f, drawing());
    const GLint used = glRenderMode(GL_RENDER);
    ASSERT_GT(used, 0);

    int triangles = 0;
    float largest = 0.0f, smallest = 1e9f;
    const float centreX = viewWidth / 2.0f, centreY = viewHeight / 2.0f;
    const float pixelsPerUnit = viewWidth / 4.0f;
    for (GLint i = 0; i < used;) {
        ASSERT_EQ(buffer[i], GL_POLYGON_TOKEN);
        const int corners = static_cast<int>(buffer[i + 1]);
        ASSERT_EQ(corners, 3);
        for (int c = 0; c < 3; ++c) {
            const float dx = buffer[i + 2 + 3 * c] - centreX;
            const float dy = (buffer[i + 3 + 3 * c] - centreY) * viewWidth / viewHeight;
            const float radius = std::sqrt(dx * dx + dy * dy) / pixelsPerUnit;
            if (radius > 0.01f) {
                largest = std::max(largest, radius);
                smallest = std::min(smallest, radius);
            }
        }
        ++triangles;
        i += 2 + 3 * corners;
    }
    // 101 rim points from angle 0 to a full turn: 100 triangles.
    EXPECT_EQ(triangles, 100);
    EXPECT_NEAR(largest, 1.5f, 1e-3f);
    EXPECT_NEAR(smallest, 1.5f, 1e-3f);
}

TEST_F(ShadowDrawing, ClippedToTheDiscOfACylinderBlock)
{
    setTexture(blockOf(testGame, addBlock(testGame, {-20.0f, -6.0f, -20.0f}, {40.0f, 1.0f, 40.0f})), blue);
    Block* disc = &blockOf(testGame, addBlock(testGame, {-4.0f, -1.0f, -4.0f}, {8.0f, 1.0f, 8.0f}));
    setTexture(*disc, green);
    disc->shape = Shape::Cylinder;
    testBall.position = {2.9f, 0.0f, 2.9f};
    testBall.radius = 1.0f;
    drawFrom(0.0f, 0.0f);
    EXPECT_TRUE(black(at(2.6f, 2.6f, 0.0f, 0.0f)));
    // Under the ball but beyond the rim: the ground shows, unshadowed.
    EXPECT_TRUE(sameColour(at(3.1f, 3.1f, 0.0f, 0.0f), 0, 0, 255));
}

TEST_F(ShadowDrawing, HiddenByABlockInFrontAndStateRestored)
{
    setTexture(blockOf(testGame, addBlock(testGame, {-4.0f, -1.0f, -4.0f}, {8.0f, 1.0f, 8.0f})), green);
    setTexture(blockOf(testGame, addBlock(testGame, {-1.0f, 3.0f, -1.0f}, {2.0f, 1.0f, 2.0f})), blue);  // above the ball
    testBall.position = {0.0f, 0.0f, 0.0f};
    drawFrom(0.0f, 0.0f);
    EXPECT_TRUE(sameColour(at(0.0f, 0.0f, 0.0f, 0.0f), 0, 0, 255));
    EXPECT_FALSE(glIsEnabled(GL_STENCIL_TEST));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    GLboolean mask[4];
    glGetBooleanv(GL_COLOR_WRITEMASK, mask);
    EXPECT_TRUE(mask[0] && mask[1] && mask[2] && mask[3]);
}

}  // namespace
