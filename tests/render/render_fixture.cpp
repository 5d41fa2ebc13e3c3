#define GL_GLEXT_PROTOTYPES
#include "tests/render/render_fixture.h"

#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>

#include <unistd.h>

#include <array>
#include <cstdlib>

#include "tests/sim/test_blocks.h"
#include "world/level.h"

Graphics testGraphics;
namespace {
// The game's shader pair and meshes with the test's pictures.
Graphics testDrawing;
}  // namespace
Textures& testTextures = testDrawing.textures;
Game testGame;
Ball& testBall = testGame.ball;

namespace {

bool framebufferOpen = false;
TestFramebuffer framebuffer;

// The game's own start-up, run from the ready-to-run folder so that it finds
// its pictures and shader pair; the tests then swap in their own textures.
void initGraphicsInGameFolder()
{
    char* here = getcwd(nullptr, 0);
    if (here == nullptr || chdir(GAME_DIR) != 0) std::abort();
    testGraphics = initGraphics(buildLevel());
    if (chdir(here) != 0 || !testGraphics.shader.active) std::abort();
    std::free(here);
}

// What the tests change and a failed test might leave behind.
void resetChangedState()
{
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_STENCIL_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    const GLfloat black[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    const GLfloat dim[4] = {0.15f, 0.15f, 0.15f, 1.0f};
    glMaterialfv(GL_FRONT, GL_EMISSION, black);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, dim);
}

}  // namespace

void setUpDrawing()
{
    if (!framebufferOpen) {
        openTestWindow(viewWidth, viewHeight);
        framebuffer = makeFramebuffer(viewWidth, viewHeight);
        initGraphicsInGameFolder();
        framebufferOpen = true;
    }
    useShaderProgram(testGraphics.shader, true);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer.fbo);
    glViewport(0, 0, viewWidth, viewHeight);
    resetChangedState();
    gamePerspective(viewWidth, viewHeight);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    testDrawing = testGraphics;
    testGame = Game{};
    resetCourse();
}

const Graphics& drawing()
{
    return testDrawing;
}

void resetCourse()
{
    testGame.course = std::make_shared<Course>();
    testGame.courseState = CourseState{};
    // Far away and out of view unless a test moves it.
    courseOf(testGame).goalPosition = {0.0f, -1000.0f, 0.0f};
    // Pointers into the course and the state stay good while a test adds blocks.
    courseOf(testGame).blocks.reserve(256);
    testGame.courseState.blocks.reserve(256);
}

void setTexture(Block& block, unsigned int texture)
{
    std::array<unsigned int, 6>& slots = testTextures.wood;
    std::size_t slot = 0;
    while (slot < slots.size() && slots[slot] != texture) ++slot;
    if (slot == slots.size()) {
        static std::size_t next = 0;
        slot = next++ % slots.size();
        slots[slot] = texture;
    }
    block.material = Material::Wood;
    block.grain = static_cast<int>(slot);
}

Block blockWith(Vec3 position, Vec3 size, unsigned int texture)
{
    Block block = testBlock(position, size);
    setTexture(block, texture);
    return block;
}

void gamePerspective(int width, int height)
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, static_cast<double>(width) / height, 1.0, 200.0);
    glMatrixMode(GL_MODELVIEW);
}

namespace {

// 20 by 16 units over the 320x256 view.
void orthoView()
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-10.0, 10.0, -8.0, 8.0, -500.0, 500.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

}  // namespace

void lookDown(float x, float z)
{
    orthoView();
    // Screen x is level x, screen up is level -z.
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
    glTranslatef(-x, 0.0f, -z);
}

void lookAlongZ(float x, float y)
{
    orthoView();
    glTranslatef(-x, -y, 0.0f);
}

int columnOf(float x, float centreX) { return static_cast<int>((x - centreX + 10.0f) * 16.0f); }
int rowOf(float along, float centre) { return static_cast<int>((along - centre + 8.0f) * 16.0f); }

unsigned int textureOf(int side, const std::function<Texel(int s, int t)>& colourAt)
{
    std::vector<unsigned char> rgb;
    for (int t = 0; t < side; ++t) {
        for (int s = 0; s < side; ++s) {
            const Texel texel = colourAt(s, t);
            rgb.insert(rgb.end(), {texel.r, texel.g, texel.b});
        }
    }
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGB, side, side, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return name;
}

unsigned int solidTexture(unsigned char r, unsigned char g, unsigned char b)
{
    return textureOf(16, [=](int, int) { return Texel{r, g, b}; });
}

unsigned int halvesTexture()
{
    return textureOf(64, [](int s, int) { return s < 32 ? Texel{255, 0, 0} : Texel{0, 0, 255}; });
}

ScreenPoint screenOf(double x, double y, double z)
{
    GLdouble model[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    ScreenPoint p{};
    double depth = 0.0;
    gluProject(x, y, z, model, projection, viewport, &p.x, &p.y, &depth);
    return p;
}

Rgba middlePixel()
{
    return readPixel(viewWidth / 2, viewHeight / 2);
}

void fullAmbient()
{
    const GLfloat one[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, one);
}

bool sameColour(Rgba p, int r, int g, int b, int tolerance)
{
    return std::abs(p.r - r) <= tolerance && std::abs(p.g - g) <= tolerance &&
           std::abs(p.b - b) <= tolerance;
}

std::vector<unsigned char> readAll(int width, int height)
{
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 4);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}
