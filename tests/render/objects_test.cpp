#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "sim/items.h"
#include "tests/sim/test_blocks.h"
#include "tests/render/classic_pieces.h"
#include "tests/render/render_fixture.h"

namespace {

class Objects : public ::testing::Test {
protected:
    void SetUp() override
    {
        setUpDrawing();
        fullAmbient();
        glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    }
};

struct Bounds {
    int minX = 1 << 30, minY = 1 << 30, maxX = -1, maxY = -1;
};

// Pixels of one colour, as a bounding rectangle.
Bounds boundsOf(int r, int g, int b)
{
    const std::vector<unsigned char> pixels = readAll();
    Bounds found;
    for (int y = 0; y < viewHeight; ++y) {
        for (int x = 0; x < viewWidth; ++x) {
            const unsigned char* p = &pixels[(static_cast<size_t>(y) * viewWidth + x) * 4];
            if (sameColour({p[0], p[1], p[2], p[3]}, r, g, b)) {
                found.minX = std::min(found.minX, x);
                found.maxX = std::max(found.maxX, x);
                found.minY = std::min(found.minY, y);
                found.maxY = std::max(found.maxY, y);
            }
        }
    }
    return found;
}

TEST_F(Objects, BoxBlockCoversExactlyItsBox)
{
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(22.0, 9.0, 14.0, 7.0, 0.0, 0.0, 0.0, 1.0, 0.0);
    const Block b = blockWith({2.0f, 0.0f, -5.0f}, {10.0f, 0.5f, 10.0f}, solidTexture(0, 255, 0));
    drawBlock(b, false, drawing());

    double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
    for (int corner = 0; corner < 8; ++corner) {
        const ScreenPoint p = screenOf((corner & 1) ? 12.0 : 2.0, (corner & 2) ? 0.5 : 0.0,
                                       (corner & 4) ? 5.0 : -5.0);
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    const Bounds drawn = boundsOf(0, 255, 0);
    EXPECT_NEAR(drawn.minX, minX, 2.0);
    EXPECT_NEAR(drawn.maxX, maxX, 2.0);
    EXPECT_NEAR(drawn.minY, minY, 2.0);
    EXPECT_NEAR(drawn.maxY, maxY, 2.0);
}

TEST_F(Objects, CylinderBlockIsAnUprightDiscInsideItsBox)
{
    Block disc = blockWith({-4.0f, 2.0f, -4.0f}, {8.0f, 1.0f, 8.0f}, solidTexture(0, 255, 0));
    disc.shape = Shape::Cylinder;
    lookDown(0.0f, 0.0f);
    drawBlock(disc, false, drawing());
    EXPECT_TRUE(sameColour(readPixel(columnOf(0.0f, 0.0f), rowOf(0.0f, 0.0f)), 0, 255, 0));
    EXPECT_TRUE(sameColour(readPixel(columnOf(3.8f, 0.0f), rowOf(0.0f, 0.0f)), 0, 255, 0));
    // The corner of the box lies outside the disc.
    EXPECT_TRUE(sameColour(readPixel(columnOf(3.5f, 0.0f), rowOf(3.5f, 0.0f)), 128, 128, 128));

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    lookAlongZ(0.0f, 0.0f);
    drawBlock(disc, false, drawing());
    const Bounds side = boundsOf(0, 255, 0);
    EXPECT_EQ(side.minX, columnOf(-4.0f, 0.0f));
    EXPECT_EQ(side.maxX + 1, columnOf(4.0f, 0.0f));
    EXPECT_EQ(side.minY, rowOf(2.0f, 0.0f));
    EXPECT_EQ(side.maxY + 1, rowOf(3.0f, 0.0f));
}

// The stencil value at a level point seen through lookDown or lookAlongZ,
// both centred on the origin.
int stencilAt(float across, float along)
{
    unsigned char value = 0;
    glReadPixels(columnOf(across, 0.0f), rowOf(along, 0.0f), 1, 1, GL_STENCIL_INDEX,
                 GL_UNSIGNED_BYTE, &value);
    return value;
}

TEST_F(Objects, TopOnlyMarksJustTheTopFace)
{
    const Block b = blockWith({-2.0f, 0.0f, -2.0f}, {4.0f, 3.0f, 4.0f}, solidTexture(0, 255, 0));
    lookAlongZ(0.0f, 0.0f);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_STENCIL_TEST);
    glStencilFunc(GL_ALWAYS, 1, 1);
    glStencilOp(GL_KEEP, GL_KEEP, GL_REPLACE);
    drawBlock(b, true, drawing());
    glDisable(GL_STENCIL_TEST);
    glEnable(GL_DEPTH_TEST);
    // Seen edge-on the top face is a line at height 3 and nothing below it.
    EXPECT_EQ(stencilAt(0.0f, 1.5f), 0) << "below the top";

    lookDown(0.0f, 0.0f);
    glClear(GL_STENCIL_BUFFER_BIT);
    glEnable(GL_STENCIL_TEST);
    drawBlock(b, true, drawing());
    glDisable(GL_STENCIL_TEST);
    EXPECT_EQ(stencilAt(1.5f, 1.5f), 1) << "inside the top";
    EXPECT_EQ(stencilAt(2.5f, 0.0f), 0) << "beside it";
}

TEST_F(Objects, FlipTextureMirrorsTheFaces)
{
    Block b = blockWith({-5.0f, 0.0f, -5.0f}, {10.0f, 2.0f, 10.0f}, halvesTexture());
    const int left = columnOf(-3.0f, 0.0f);
    const int right = columnOf(3.0f, 0.0f);
    const int middle = rowOf(0.0f, 0.0f);
    lookDown(0.0f, 0.0f);
    drawBlock(b, false, drawing());
    EXPECT_TRUE(sameColour(readPixel(left, middle), 255, 0, 0));
    EXPECT_TRUE(sameColour(readPixel(right, middle), 0, 0, 255));

    b.flipTexture = true;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawBlock(b, false, drawing());
    EXPECT_TRUE(sameColour(readPixel(left, middle), 0, 0, 255));
    EXPECT_TRUE(sameColour(readPixel(right, middle), 255, 0, 0));

    // The front face (+z) mirrors too.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    lookAlongZ(0.0f, 1.0f);
    drawBlock(b, false, drawing());
    EXPECT_TRUE(sameColour(readPixel(left, rowOf(1.0f, 1.0f)), 0, 0, 255));
}

TEST_F(Objects, GlassLetsWhatIsBehindShowThrough)
{
    lookAlongZ(0.0f, 0.0f);
    drawBlock(blockWith({-8.0f, -8.0f, -20.0f}, {16.0f, 16.0f, 1.0f}, solidTexture(0, 0, 255)), false, drawing());
    Block glass = blockWith({-3.0f, -3.0f, 0.0f}, {6.0f, 6.0f, 1.0f}, solidTexture(255, 0, 0));
    glass.opacity = 0.4f;
    drawBlock(glass, false, drawing());
    // 0.4 of the glass over 0.6 of what lies behind.
    EXPECT_TRUE(sameColour(middlePixel(), 102, 0, 153, 3));
}

TEST_F(Objects, GlassOnTheFaceOfABarShowsTheBarThroughOneLayer)
{
    // A glass pane whose inner face lies on the face of an opaque bar, as in
    // the glass shafts, seen at a slant from the pane's side; the bar is
    // drawn first, as it is stamped first.
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(5.0, 3.0, -20.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
    const Block bar = blockWith({-10.0f, -2.0f, 0.0f}, {20.0f, 4.0f, 1.0f}, solidTexture(255, 0, 0));
    Block glass = blockWith({-11.0f, -6.0f, -0.25f}, {21.0f, 12.0f, 0.25f}, solidTexture(0, 0, 255));
    glass.opacity = 0.4f;
    drawBlock(bar, false, drawing());
    drawBlock(glass, false, drawing());

    // All over the bar's face: the pane's outer face over the bar. The
    // inner face, on the bar, must never win the depth test.
    const std::vector<unsigned char> pixels = readAll();
    int seen = 0;
    int wrong = 0;
    for (float x = -9.8f; x < 9.8f; x += 0.05f) {
        for (float y = -1.8f; y < 1.8f; y += 0.05f) {
            const ScreenPoint at = screenOf(x, y, 0.0);
            const unsigned char* p =
                &pixels[(static_cast<size_t>(at.y) * viewWidth + static_cast<size_t>(at.x)) * 4];
            ++seen;
            wrong += !sameColour({p[0], p[1], p[2], 255}, 153, 0, 102, 3);
        }
    }
    EXPECT_EQ(wrong, 0) << "of " << seen << " points";
}

TEST_F(Objects, ItemsKeepTheirPlainColoursAfterATexturedDraw)
{
    lookAlongZ(0.0f, 0.0f);
    const unsigned int cyan = solidTexture(0, 255, 255);
    Checkpoint checkpoint{};
    checkpoint.position = {0.0f, 0.0f, 0.0f};
    CheckpointState now;
    now.pulse.alpha = 1.0f;
    drawBlock(blockWith({6.0f, 6.0f, 0.0f}, {1.0f, 1.0f, 1.0f}, cyan), false, drawing());
    drawCheckpoint(checkpoint, now, drawing());
    EXPECT_TRUE(sameColour(middlePixel(), 255, 255, 0));

    now.taken = true;
    glClear(GL_DEPTH_BUFFER_BIT);
    drawBlock(blockWith({6.0f, 6.0f, 0.0f}, {1.0f, 1.0f, 1.0f}, cyan), false, drawing());
    drawCheckpoint(checkpoint, now, drawing());
    EXPECT_TRUE(sameColour(middlePixel(), 255, 0, 255));

    SizeOrb orb{};
    const int expected[3][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    for (int kind = 0; kind < 3; ++kind) {
        orb.sizeKind = kind;
        glClear(GL_DEPTH_BUFFER_BIT);
        drawSizeOrb(orb, 1.0f, drawing());
        const int* c = expected[kind];
        EXPECT_TRUE(sameColour(middlePixel(), c[0], c[1], c[2]))
            << "size kind " << kind;
    }
    // A half-faded orb over grey.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    orb.sizeKind = 0;
    drawSizeOrb(orb, 0.5f, drawing());
    EXPECT_TRUE(sameColour(middlePixel(), 191, 64, 64, 3));
}

TEST_F(Objects, SeeThroughSpheresShowOneLayerEachFarOverNear)
{
    // Two half-faded items over grey, seen from several sides: a yellow
    // checkpoint and, nearer the eye and overlapping it, a red orb (the
    // course lists orbs first). One layer of the checkpoint alone, one of
    // each where they overlap; never a far face blended in as a stripe,
    // never the nearer sphere hiding the farther.
    struct View {
        const char* name;
        float eyeX, eyeY, eyeZ;
        float asideX, asideZ;  // the orb's shift across the view
    };
    const View views[] = {{"from +z", 0.5f, 0.3f, 8.0f, 1.2f, 0.0f},
                          {"from -z", 0.5f, 0.3f, -8.0f, 1.2f, 0.0f},
                          {"from +x", 8.0f, 0.3f, 0.5f, 0.0f, 1.2f}};
    const Rgba farAlone{192, 192, 64, 255};  // half yellow over grey
    const Rgba overlap{224, 96, 32, 255};    // half red over that
    for (const View& view : views) {
        SCOPED_TRACE(view.name);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        gluLookAt(view.eyeX, view.eyeY, view.eyeZ, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
        resetCourse();
        const Vec3 near{view.eyeX * 0.2f + view.asideX, 0.0f, view.eyeZ * 0.2f + view.asideZ};
        addSizeOrb(testGame, near, 0);
        addCheckpoint(testGame, {0.0f, 0.0f, 0.0f}, 1);
        testGame.courseState.sizeOrbs[0].alpha = 0.5f;
        testGame.courseState.checkpoints[0].pulse.alpha = 0.5f;
        drawSeeThroughItems(*testGame.course, testGame.courseState, drawing());

        // Points of the far disc on the side away from the orb, and one near
        // its rim on the orb's side, where the two overlap.
        const ScreenPoint centre = screenOf(0.0, 0.0, 0.0);
        const ScreenPoint nearCentre = screenOf(near.x, near.y, near.z);
        const double awayX = centre.x - nearCentre.x;
        const double awayY = centre.y - nearCentre.y;
        const double length = std::sqrt(awayX * awayX + awayY * awayY);
        const double rim = screenOf(0.0, 0.7, 0.0).y - centre.y;
        int wrong = 0;
        int seen = 0;
        for (double t = 0.0; t < 1.0; t += 0.02) {
            const Rgba alone = readPixel(int(centre.x + t * rim * awayX / length),
                                         int(centre.y + t * rim * awayY / length));
            wrong += !sameColour(alone, farAlone.r, farAlone.g, farAlone.b, 3);
            ++seen;
        }
        EXPECT_EQ(wrong, 0) << "of " << seen << " points of the far sphere alone";
        const Rgba both = readPixel(int(centre.x - 0.9 * rim * awayX / length),
                                    int(centre.y - 0.9 * rim * awayY / length));
        EXPECT_TRUE(sameColour(both, overlap.r, overlap.g, overlap.b, 3))
            << int(both.r) << "," << int(both.g) << "," << int(both.b);
    }
}

TEST_F(Objects, GoalRingSpansItsInnerAndOuterRadius)
{
    courseOf(testGame).goalPosition = {0.0f, 0.0f, 0.0f};
    lookAlongZ(0.0f, 0.0f);
    drawGoal(testGame.course->goalPosition, testGame.goalAngle, drawing());
    const int row = rowOf(0.0f, 0.0f);
    auto isGrey = [](Rgba p) { return sameColour(p, 128, 128, 128); };
    EXPECT_TRUE(isGrey(readPixel(columnOf(0.0f, 0.0f), row))) << "the hole";
    EXPECT_TRUE(isGrey(readPixel(columnOf(0.85f, 0.0f), row)));
    EXPECT_FALSE(isGrey(readPixel(columnOf(1.0f, 0.0f), row)));
    EXPECT_FALSE(isGrey(readPixel(columnOf(2.0f, 0.0f), row)));
    EXPECT_TRUE(isGrey(readPixel(columnOf(2.2f, 0.0f), row)));

    // A quarter turn about the vertical shows the ring edge-on: 1.2 thick.
    testGame.goalAngle = 90.0f;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawGoal(testGame.course->goalPosition, testGame.goalAngle, drawing());
    EXPECT_FALSE(isGrey(readPixel(columnOf(0.3f, 0.0f), rowOf(1.5f, 0.0f))));
    EXPECT_TRUE(isGrey(readPixel(columnOf(0.8f, 0.0f), rowOf(1.5f, 0.0f))));
}

TEST_F(Objects, BallIsDrawnAroundItsPositionWithItsTexture)
{
    testTextures.ball = solidTexture(255, 128, 0);
    testBall.position = {0.0f, 0.0f, 0.0f};
    testBall.radius = 1.0f;
    lookAlongZ(0.0f, 0.0f);
    drawBall(testBall, drawing());
    EXPECT_TRUE(sameColour(readPixel(columnOf(0.0f, 0.0f), rowOf(0.0f, 0.0f)), 255, 128, 0));
    EXPECT_TRUE(sameColour(readPixel(columnOf(0.9f, 0.0f), rowOf(0.0f, 0.0f)), 255, 128, 0));
    EXPECT_TRUE(sameColour(readPixel(columnOf(1.1f, 0.0f), rowOf(0.0f, 0.0f)), 128, 128, 128));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
}

}  // namespace
