#define GL_GLEXT_PROTOTYPES
#include "tests/render/render_fixture.h"

#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>

#include <cstdlib>

#include "assets/shader_program.h"
#include "assets/texture_names.h"
#include "sim/game_state.h"
#include "sim/items.h"
#include "world/world.h"

Ball testBall;

namespace {

bool framebufferOpen = false;
TestFramebuffer framebuffer;

void gameFixedState()
{
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_NORMALIZE);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glShadeModel(GL_SMOOTH);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glFrontFace(GL_CCW);
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
        if (!initShaderProgramFrom(SOURCE_DIR "/shaders/phong.vs", SOURCE_DIR "/shaders/phong.fs")) {
            std::abort();
        }
        framebufferOpen = true;
    }
    useShaderProgram(true);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer.fbo);
    glViewport(0, 0, viewWidth, viewHeight);
    gameFixedState();
    gamePerspective(viewWidth, viewHeight);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    firstPersonView = false;
    viewQuadrant = 0;
    cameraYaw = 0.0f;
    cameraPitch = 0.0f;
    gameState = Playing;
    goalAngle = 0.0f;

    testBall = Ball{};
    testBall.radius = 0.5f;
    testBall.maxSpeed = 20.0f;
    testBall.position = {7.0f, 0.5f, 0.0f};
    testBall.colour = {1.0f, 1.0f, 1.0f};
    for (int i = 0; i < 16; ++i) testBall.rotation[i] = (i % 5 == 0) ? 1.0f : 0.0f;
    ball = &testBall;
    resetWorld();
    // Far away and out of view unless a test moves it.
    goalPosition = {0.0f, -1000.0f, 0.0f};
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

namespace {

unsigned int uploadTexture(const std::vector<unsigned char>& rgb, int size)
{
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGB, size, size, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return name;
}

}  // namespace

unsigned int solidTexture(unsigned char r, unsigned char g, unsigned char b)
{
    std::vector<unsigned char> rgb;
    for (int i = 0; i < 16 * 16; ++i) rgb.insert(rgb.end(), {r, g, b});
    return uploadTexture(rgb, 16);
}

unsigned int halvesTexture()
{
    std::vector<unsigned char> rgb;
    for (int t = 0; t < 64; ++t) {
        for (int s = 0; s < 64; ++s) {
            if (s < 32) rgb.insert(rgb.end(), {255, 0, 0});
            else rgb.insert(rgb.end(), {0, 0, 255});
        }
    }
    return uploadTexture(rgb, 64);
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
