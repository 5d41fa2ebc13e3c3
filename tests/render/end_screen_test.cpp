#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "render/end_screen.h"
#include "tests/render/classic_pieces.h"
#include "tests/render/render_fixture.h"

namespace {

// Quarters: red bottom left, blue bottom right, green top left, yellow top right.
unsigned int quartersTexture()
{
    return textureOf(64, [](int s, int t) {
        if (t < 32) return s < 32 ? Texel{255, 0, 0} : Texel{0, 0, 255};
        return s < 32 ? Texel{0, 255, 0} : Texel{255, 255, 0};
    });
}

// Draws the end screen into a framebuffer of this size, as the game would
// after a reshape to it, and checks the picture fills it upright.
void expectPictureFills(int width, int height)
{
    SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
    TestFramebuffer fb = makeFramebuffer(width, height);
    gamePerspective(width, height);
    drawEndScreen(drawing());
    const std::vector<unsigned char> pixels = readAll(width, height);
    int black = 0;
    for (size_t i = 0; i < pixels.size(); i += 4) {
        if (pixels[i] == 0 && pixels[i + 1] == 0 && pixels[i + 2] == 0) ++black;
    }
    EXPECT_EQ(black, 0);
    EXPECT_TRUE(sameColour(readPixel(0, 0), 255, 0, 0));
    EXPECT_TRUE(sameColour(readPixel(width - 1, 0), 0, 0, 255));
    EXPECT_TRUE(sameColour(readPixel(0, height - 1), 0, 255, 0));
    EXPECT_TRUE(sameColour(readPixel(width - 1, height - 1), 255, 255, 0));
    deleteFramebuffer(fb);
}

TEST(EndScreen, PictureCoversTheWholeScreenUprightAtFullBrightness)
{
    setUpDrawing();
    testTextures.end = quartersTexture();
    // A dim scene light must not dim the picture.
    const GLfloat dim[4] = {0.1f, 0.1f, 0.1f, 1.0f};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, dim);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, dim);
    expectPictureFills(viewWidth, viewHeight);
    expectPictureFills(640, 360);   // 16:9
    expectPictureFills(400, 300);   // 4:3
    expectPictureFills(200, 250);   // taller than wide

    // Without the shader pair the quad on the near plane must survive too.
    useShaderProgram(testGraphics.shader, false);
    expectPictureFills(viewWidth, viewHeight);
    expectPictureFills(640, 360);
    useShaderProgram(testGraphics.shader, true);
}

TEST(EndScreen, QuadKeepsTheGameModeSizeAndGrowsEvenlyToCover)
{
    const double w = 1.0 / std::cos(0.39269909262657166);
    const EndQuad game = endQuadSize(1280, 1024);
    EXPECT_FLOAT_EQ(game.width, static_cast<float>(w));
    EXPECT_FLOAT_EQ(game.height, static_cast<float>(w) * 1024.0f / 1280.0f);

    const double halfView = std::tan(0.39269909262657166);
    const int screens[][2] = {{1920, 1080}, {1024, 768}, {2560, 1080}, {1024, 1280}, {800, 800}};
    for (const auto& s : screens) {
        const EndQuad q = endQuadSize(s[0], s[1]);
        const double aspect = static_cast<double>(s[0]) / s[1];
        EXPECT_NEAR(q.width / q.height, 1.25, 1e-5) << s[0] << "x" << s[1];
        EXPECT_GE(q.width / 2.0, halfView * aspect) << s[0] << "x" << s[1];
        EXPECT_GE(q.height / 2.0, halfView) << s[0] << "x" << s[1];
        // Not blown up more than covering needs (the game-mode margin at most).
        EXPECT_LE(q.width / 2.0, std::max(halfView * aspect, halfView * 1.25) * 1.05);
    }
}

}  // namespace
