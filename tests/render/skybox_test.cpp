#include <GL/gl.h>
#include <gtest/gtest.h>

#include "tests/render/classic_pieces.h"
#include "tests/render/render_fixture.h"

namespace {

// One plain colour per face, in the order of skyTextures.
const unsigned char faceColours[6][3] = {
    {255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}, {0, 255, 255}, {255, 0, 255},
};

class SkyBox : public ::testing::Test {
protected:
    void SetUp() override
    {
        setUpDrawing();
        for (int i = 0; i < 6; ++i) {
            testTextures.sky[i] = solidTexture(faceColours[i][0], faceColours[i][1], faceColours[i][2]);
        }
        glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    }

    // The face whose colour fills the middle of the screen, or -1.
    static int faceInMiddle()
    {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        drawSkyBox(testGame.camera, drawing());
        const Rgba p = middlePixel();
        for (int i = 0; i < 6; ++i) {
            if (sameColour(p, faceColours[i][0], faceColours[i][1], faceColours[i][2])) return i;
        }
        return -1;
    }
};

TEST_F(SkyBox, QuarterTurnsBringEachSidePictureToTheMiddle)
{
    // pos_z in front at the start, then neg_x, neg_z and pos_x.
    for (int quadrant = 0; quadrant < 4; ++quadrant) {
        testGame.camera.viewQuadrant = quadrant;
        EXPECT_EQ(faceInMiddle(), quadrant) << "quadrant " << quadrant;
    }
    testGame.camera.viewQuadrant = 0;
    testGame.camera.firstPersonView = true;
    EXPECT_EQ(faceInMiddle(), 0);
}

TEST_F(SkyBox, PitchTiltsAboutTheScreensHorizontalWhateverTheTurn)
{
    testGame.camera.firstPersonView = true;
    testGame.camera.cameraPitch = 90.0f;
    EXPECT_EQ(faceInMiddle(), 5) << "looking down shows neg_y";
    testGame.camera.cameraPitch = -90.0f;
    EXPECT_EQ(faceInMiddle(), 4) << "looking up shows pos_y";
    // Turned a quarter, pitch must still look down, not roll the view.
    testGame.camera.viewQuadrant = 1;
    testGame.camera.cameraPitch = 90.0f;
    EXPECT_EQ(faceInMiddle(), 5);
    testGame.camera.viewQuadrant = 0;
    testGame.camera.cameraYaw = 270.0f;
    EXPECT_EQ(faceInMiddle(), 5);
}

TEST_F(SkyBox, PicturesAreShownUnlitAndTheStateComesBack)
{
    // A dark light model would dim a lit sky; the pictures must stay as they are.
    const GLfloat dark[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, dark);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, dark);
    glLightfv(GL_LIGHT0, GL_SPECULAR, dark);
    const GLfloat emission[4] = {0.1f, 0.2f, 0.3f, 1.0f};
    glMaterialfv(GL_FRONT, GL_EMISSION, emission);
    EXPECT_EQ(faceInMiddle(), 0);

    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    GLfloat after[4];
    glGetMaterialfv(GL_FRONT, GL_EMISSION, after);
    EXPECT_FLOAT_EQ(after[0], 0.1f);
    EXPECT_FLOAT_EQ(after[2], 0.3f);
    GLfloat matrix[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
    EXPECT_FLOAT_EQ(matrix[0], 1.0f);
    EXPECT_FLOAT_EQ(matrix[14], 0.0f);
}

TEST_F(SkyBox, EverythingDrawnLaterCoversTheSky)
{
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    drawSkyBox(testGame.camera, drawing());
    // A quad far beyond the sky's faces still wins: the sky wrote no depth.
    fullAmbient();
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, solidTexture(255, 255, 255));
    glColor3f(1.0f, 1.0f, 1.0f);
    glBegin(GL_QUADS);
    glVertex3f(-50.0f, -50.0f, -190.0f);
    glVertex3f(50.0f, -50.0f, -190.0f);
    glVertex3f(50.0f, 50.0f, -190.0f);
    glVertex3f(-50.0f, 50.0f, -190.0f);
    glEnd();
    glDisable(GL_TEXTURE_2D);
    EXPECT_TRUE(sameColour(middlePixel(), 255, 255, 255));
}

}  // namespace
