// The mipmap chain made on the CPU against the one GLU makes: byte for byte
// at every level, so textures look as they always have.

#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <vector>

#include "assets/mipmaps.h"
#include "tests/support/xvfb.h"

namespace {

std::vector<unsigned char> noise(int width, int height, int channels, unsigned seed)
{
    std::vector<unsigned char> texels(size_t(width) * size_t(height) * size_t(channels));
    for (unsigned char& t : texels) {
        seed = seed * 1103515245u + 12345u;
        t = static_cast<unsigned char>(seed >> 16);
    }
    return texels;
}

TEST(Mipmaps, EveryLevelMatchesGlu)
{
    openTestWindow();
    const struct {
        int width, height, channels;
    } cases[] = {{16, 16, 3}, {32, 8, 3}, {4, 32, 3}, {8, 1, 3}, {1, 4, 3}, {2, 2, 4}, {64, 2, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << "x" << c.channels);
        const std::vector<unsigned char> picture = noise(c.width, c.height, c.channels, unsigned(c.width * 7 + c.height));
        const GLenum format = c.channels == 4 ? GL_RGBA : GL_RGB;
        GLuint texture = 0;
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        ASSERT_EQ(gluBuild2DMipmaps(GL_TEXTURE_2D, c.channels, c.width, c.height, format, GL_UNSIGNED_BYTE,
                                    picture.data()),
                  0);
        const std::vector<MipLevel> chain = mipChain(picture.data(), c.width, c.height, c.channels);
        int expectedLevels = 0;
        for (int side = std::max(c.width, c.height); side > 1; side /= 2) ++expectedLevels;
        ASSERT_EQ(int(chain.size()), expectedLevels);
        for (size_t i = 0; i < chain.size(); ++i) {
            SCOPED_TRACE(i + 1);
            GLint width = 0, height = 0;
            glGetTexLevelParameteriv(GL_TEXTURE_2D, GLint(i + 1), GL_TEXTURE_WIDTH, &width);
            glGetTexLevelParameteriv(GL_TEXTURE_2D, GLint(i + 1), GL_TEXTURE_HEIGHT, &height);
            ASSERT_EQ(chain[i].width, width);
            ASSERT_EQ(chain[i].height, height);
            std::vector<unsigned char> glu(chain[i].texels.size());
            glGetTexImage(GL_TEXTURE_2D, GLint(i + 1), format, GL_UNSIGNED_BYTE, glu.data());
            EXPECT_EQ(chain[i].texels, glu);
        }
        glDeleteTextures(1, &texture);
    }
}

TEST(Mipmaps, RoundsTheMeanOfFourAndTruncatesTheMeanOfTwo)
{
    const unsigned char square[] = {1, 2, 2, 2};   // 7/4 rounds to 2
    EXPECT_EQ(mipChain(square, 2, 2, 1)[0].texels, std::vector<unsigned char>{2});
    const unsigned char row[] = {1, 2, 255, 254};  // 3/2 and 509/2 truncate
    const std::vector<MipLevel> chain = mipChain(row, 4, 1, 1);
    ASSERT_EQ(chain.size(), 2u);
    EXPECT_EQ(chain[0].texels, (std::vector<unsigned char>{1, 254}));
    EXPECT_EQ(chain[1].texels, std::vector<unsigned char>{127});
}

}  // namespace
