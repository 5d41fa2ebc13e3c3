#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include "world/level.h"
#include <GL/gl.h>

#include <string>
#include <sys/stat.h>
#include <vector>

#include "assets/textures.h"
#include "render/graphics.h"
#include "tests/support/media_files.h"
#include "tests/support/xvfb.h"
#include "world/level.h"

namespace {

Rgb colourOfPicture(int i)
{
    return Rgb{static_cast<unsigned char>(20 + 13 * i), static_cast<unsigned char>(240 - 11 * i),
               static_cast<unsigned char>(i % 2 ? 60 : 180)};
}

struct TextureImage {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
    Rgb at(int x, int y) const
    {
        const unsigned char* p = &rgb[(size_t(y) * size_t(width) + size_t(x)) * 3];
        return Rgb{p[0], p[1], p[2]};
    }
};

TextureImage readTexture(unsigned int texture)
{
    TextureImage image;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &image.width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &image.height);
    image.rgb.resize(size_t(image.width) * size_t(image.height) * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, image.rgb.data());
    return image;
}

// One window and one start-up per test program, as in the game.
class TexturesTest : public ::testing::Test {
protected:
    static inline ScratchDir* dir = nullptr;
    static inline std::string startupErrors;
    static inline Graphics graphics;

    static void SetUpTestSuite()
    {
        openTestWindow();
        dir = new ScratchDir;
        mkdir("images", 0755);
        for (int i = 0; i < int(pictureCount); ++i)
            writeFile(std::string("images/") + pictureFiles[i], solidBmp(8, 4, colourOfPicture(i)));
        startupErrors = stderrOf([] { graphics = initGraphics(buildLevel()); });
    }
    static void TearDownTestSuite()
    {
        delete dir;
        dir = nullptr;
    }
};

TEST_F(TexturesTest, EveryPictureATextureInLoadOrder)
{
    const Textures& t = graphics.textures;
    std::vector<unsigned int> names = {t.ball, t.metal, t.glass, t.end};
    names.insert(names.end(), t.wood.begin(), t.wood.end());
    names.insert(names.end(), t.sky.begin(), t.sky.end());
    names.push_back(t.font);
    ASSERT_EQ(names.size(), pictureCount);
    for (int i = 0; i < int(pictureCount); ++i) {
        SCOPED_TRACE(pictureFiles[i]);
        EXPECT_TRUE(glIsTexture(names[size_t(i)]));
        // Names are handed out in creation order.
        if (i > 0) {
            EXPECT_GT(names[size_t(i)], names[size_t(i) - 1]);
        }
        TextureImage image = readTexture(names[size_t(i)]);
        ASSERT_EQ(image.width, 8);
        ASSERT_EQ(image.height, 4);
        EXPECT_EQ(image.at(0, 0), colourOfPicture(i));
        EXPECT_EQ(image.at(7, 3), colourOfPicture(i));
    }
    // Every picture was fine, so at most the shader step may have spoken.
    EXPECT_EQ(startupErrors.find("picture"), std::string::npos) << startupErrors;
}

TEST_F(TexturesTest, FixedStateAfterStartUp)
{
    for (GLenum cap : {GL_DEPTH_TEST, GL_LIGHTING, GL_LIGHT0, GL_NORMALIZE, GL_COLOR_MATERIAL, GL_BLEND})
        EXPECT_TRUE(glIsEnabled(cap)) << std::hex << cap;
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    const GLenum settings[][2] = {
        {GL_BLEND_SRC, GL_SRC_ALPHA},
        {GL_BLEND_DST, GL_ONE_MINUS_SRC_ALPHA},
        {GL_LINE_SMOOTH_HINT, GL_NICEST},
        {GL_POLYGON_SMOOTH_HINT, GL_NICEST},
        {GL_GENERATE_MIPMAP_HINT, GL_NICEST},
        {GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST},
        {GL_SHADE_MODEL, GL_SMOOTH},
        {GL_FRONT_FACE, GL_CCW},
    };
    GLint value = 0;
    for (const auto& [name, expected] : settings) {
        glGetIntegerv(name, &value);
        EXPECT_EQ(GLenum(value), expected) << std::hex << name;
    }
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &value);
    EXPECT_EQ(value, GL_MODULATE);
}

TEST_F(TexturesTest, UnreadablePictureBecomesCheckerStillBound)
{
    auto truncated = solidBmp(8, 8, Rgb{1, 2, 3});
    truncated.resize(100);
    writeFile("images/truncated.bmp", truncated);
    for (const char* name : {"missing.bmp", "truncated.bmp"}) {
        SCOPED_TRACE(name);
        unsigned int texture = 0;
        const std::string err = stderrOf([&] { texture = createTexture(name); });
        EXPECT_EQ(countLines(err), 1) << err;
        EXPECT_NE(err.find(std::string("images/") + name), std::string::npos) << err;

        GLint bound = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        EXPECT_EQ(unsigned(bound), texture);
        TextureImage image = readTexture(texture);
        ASSERT_EQ(image.width, 8);
        ASSERT_EQ(image.height, 8);
        const Rgb magenta{255, 0, 255}, black{0, 0, 0};
        EXPECT_EQ(image.at(0, 0), magenta);
        EXPECT_EQ(image.at(4, 0), black);
        EXPECT_EQ(image.at(0, 4), black);
        EXPECT_EQ(image.at(7, 7), magenta);
    }
}

TEST_F(TexturesTest, OddWidthsUploadWithoutSkewOrLostRows)
{
    // Each row its own colour: a wrong row stride would bleed bytes of one
    // row into the next and rotate the channels; a bad rescale loses rows.
    // Width 2 keeps its size (6-byte rows), width 5 is rescaled to 4 and
    // width 6 to 8.
    const Rgb rows[4] = {{200, 40, 90}, {30, 220, 140}, {250, 250, 10}, {5, 80, 230}};
    for (int width : {2, 5, 6}) {
        SCOPED_TRACE(width);
        writeFile("images/odd.bmp", makeBmp(width, 4, 40, [&](int, int y) { return rows[y]; }));
        TextureImage image = readTexture(createTexture("odd.bmp"));
        ASSERT_EQ(image.width, width == 2 ? 2 : width == 5 ? 4 : 8);
        ASSERT_EQ(image.height, 4);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < image.width; ++x) ASSERT_EQ(image.at(x, y), rows[y]) << x << "," << y;
    }
}

TEST_F(TexturesTest, RescaledPictureKeepsItsGradient)
{
    // 3 wide becomes 4 wide: the ends keep the outer colours, the middle
    // lies between them in order.
    writeFile("images/ramp.bmp", makeBmp(3, 2, 40, [](int x, int) {
        return Rgb{static_cast<unsigned char>(x * 120), 0, static_cast<unsigned char>(240 - x * 120)};
    }));
    TextureImage image = readTexture(createTexture("ramp.bmp"));
    ASSERT_EQ(image.width, 4);
    ASSERT_EQ(image.height, 2);
    for (int y = 0; y < 2; ++y) {
        EXPECT_EQ(image.at(0, y), (Rgb{0, 0, 240}));
        EXPECT_EQ(image.at(3, y), (Rgb{240, 0, 0}));
        EXPECT_LT(image.at(0, y).r, image.at(1, y).r);
        EXPECT_LT(image.at(1, y).r, image.at(2, y).r);
        EXPECT_LT(image.at(2, y).r, image.at(3, y).r);
    }
}

}  // namespace
