#include "assets/textures.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "assets/bitmap.h"
#include "assets/shader_program.h"

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

// The power of two GLU itself would pick: the nearer one, ties going up.
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

// GLU's rescaler leaves the top row black when only the width needs
// rescaling, so pictures that are not power-of-two sized are resampled here
// (bilinear) and GLU only ever sees sizes it uploads as they are.
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

void setFixedState()
{
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_NORMALIZE);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
    glHint(GL_POLYGON_SMOOTH_HINT, GL_NICEST);
    glHint(GL_GENERATE_MIPMAP_HINT, GL_NICEST);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glShadeModel(GL_SMOOTH);
    glutSetCursor(GLUT_CURSOR_NONE);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glFrontFace(GL_CCW);
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
    gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGB, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels);
    freeImage(image);
    return texture;
}

void initGraphics()
{
    setFixedState();

    struct Single {
        const char* file;
        unsigned int* texture;
    };
    const Single singles[] = {
        {"ball.bmp", &ballTexture},
        {"metal.bmp", &metalTexture},
        {"glass.bmp", &glassTexture},
        {"theEnd.bmp", &endTexture},
    };
    for (const Single& single : singles) *single.texture = createTexture(single.file);

    const char* woods[] = {"wood1.bmp", "wood2.bmp", "wood3.bmp", "wood4.bmp", "wood5.bmp", "wood6.bmp"};
    for (const char* wood : woods) woodTextures.push_back(createTexture(wood));

    const char* faces[] = {"pos_z.bmp", "neg_x.bmp", "neg_z.bmp", "pos_x.bmp", "pos_y.bmp", "neg_y.bmp"};
    for (int i = 0; i < 6; ++i) skyTextures[i] = createTexture(faces[i]);

    initShaderProgram();
}
