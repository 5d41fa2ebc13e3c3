#include "assets/textures.h"

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "assets/bitmap.h"
#include "assets/media_manifest.h"
#include "assets/mipmaps.h"

namespace {

// A picture that cannot be read shows as a loud magenta and black checker,
// so the broken file is easy to spot in the game.
constexpr int fallbackSide = 8;
constexpr int fallbackSquare = 4;

void fillFallback(unsigned char* pixels)
{
    for (int y = 0; y < fallbackSide; ++y) {
        for (int x = 0; x < fallbackSide; ++x) {
            bool lit = ((x / fallbackSquare) + (y / fallbackSquare)) % 2 == 0;
            unsigned char* p = pixels + (y * fallbackSide + x) * 3;
            p[0] = lit ? 255 : 0;
            p[1] = 0;
            p[2] = lit ? 255 : 0;
        }
    }
}

// The nearer power of two, ties going up, as GLU has always picked it.
int nearestPowerOfTwo(int side)
{
    int lower = 1;
    while (lower * 2 <= side) lower *= 2;
    return side - lower < lower * 2 - side ? lower : lower * 2;
}

// Where output texel i of `to` falls between two source texels of `from`.
struct SourceSpan {
    int first;
    int second;
    float weight;
};

SourceSpan sourceSpan(int i, int to, int from)
{
    float at = std::clamp((float(i) + 0.5f) * float(from) / float(to) - 0.5f, 0.0f, float(from - 1));
    int first = int(at);
    return SourceSpan{first, std::min(first + 1, from - 1), at - float(first)};
}

// Pictures that are not power-of-two sized are resampled here (bilinear),
// so the mipmap chain and every driver only ever see power-of-two sizes.
std::vector<unsigned char> resample(const unsigned char* pixels, int width, int height, int toWidth,
                                    int toHeight)
{
    std::vector<unsigned char> out(size_t(toWidth) * size_t(toHeight) * 3);
    auto channel = [&](int x, int y, int c) {
        return float(pixels[(size_t(y) * size_t(width) + size_t(x)) * 3 + size_t(c)]);
    };
    unsigned char* next = out.data();
    for (int y = 0; y < toHeight; ++y) {
        SourceSpan sy = sourceSpan(y, toHeight, height);
        for (int x = 0; x < toWidth; ++x) {
            SourceSpan sx = sourceSpan(x, toWidth, width);
            for (int c = 0; c < 3; ++c) {
                float low = std::lerp(channel(sx.first, sy.first, c), channel(sx.second, sy.first, c), sx.weight);
                float high = std::lerp(channel(sx.first, sy.second, c), channel(sx.second, sy.second, c), sx.weight);
                *next++ = static_cast<unsigned char>(std::lround(std::lerp(low, high, sy.weight)));
            }
        }
    }
    return out;
}

}  // namespace

unsigned int createTexture(const char* name)
{
    Image* image = loadBitmap(name);
    unsigned char fallback[fallbackSide * fallbackSide * 3];
    const unsigned char* pixels = fallback;
    int width = fallbackSide;
    int height = fallbackSide;
    if (image) {
        pixels = image->pixels;
        width = image->width;
        height = image->height;
    } else {
        fillFallback(fallback);
    }

    std::vector<unsigned char> resampled;
    int toWidth = nearestPowerOfTwo(width);
    int toHeight = nearestPowerOfTwo(height);
    if (toWidth != width || toHeight != height) {
        resampled = resample(pixels, width, height, toWidth, toHeight);
        pixels = resampled.data();
        width = toWidth;
        height = toHeight;
    }

    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    // Rows are tightly packed; any width that is not a multiple of 4 would
    // otherwise be read with the wrong stride and come out sheared.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels);
    GLint level = 0;
    for (const MipLevel& smaller : mipChain(pixels, width, height, 3))
        glTexImage2D(GL_TEXTURE_2D, ++level, GL_RGB, smaller.width, smaller.height, 0, GL_RGB, GL_UNSIGNED_BYTE,
                     smaller.texels.data());
    freeImage(image);
    return texture;
}

namespace {

unsigned int createWhiteTexture()
{
    const unsigned char texel[4] = {255, 255, 255, 255};
    GLuint white = 0;
    glGenTextures(1, &white);
    glBindTexture(GL_TEXTURE_2D, white);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, texel);
    return white;
}

}  // namespace

Textures loadTextures()
{
    std::array<unsigned int, pictureCount> names{};
    for (std::size_t i = 0; i < pictureCount; ++i) names[i] = createTexture(pictureFiles[i]);
    Textures textures;
    textures.ball = names[0];
    textures.metal = names[1];
    textures.glass = names[2];
    textures.end = names[3];
    for (std::size_t i = 0; i < 6; ++i) {
        textures.wood[i] = names[firstWoodPicture + i];
        textures.sky[i] = names[firstSkyPicture + i];
    }
    textures.font = names[fontPicture];
    textures.white = createWhiteTexture();
    return textures;
}
