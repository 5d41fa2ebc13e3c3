#pragma once
// Shared set-up for the drawing tests: a test window, a 320x256 offscreen
// framebuffer (the game's 5:4 shape), the game's own GL start-up, a ball, and
// textures of plain colours whose texels make colour checks exact.

#include <functional>
#include <vector>

#include "render/graphics.h"
#include "sim/game.h"
#include "tests/support/xvfb.h"

constexpr int viewWidth = 320;
constexpr int viewHeight = 256;

// The game's own start-up (its pictures and shader pair), made once.
extern Graphics testGraphics;
// The pictures the draws use: the game's, until a test puts its own in.
extern Textures& testTextures;
// What the draws show: an empty course, the goal out of view, the ball at
// its start and the camera unturned until a test changes them.
extern Game testGame;
extern Ball& testBall;

// The game's shader pair and meshes with the test's pictures (testTextures
// is part of it), as the draws take them.
const Graphics& drawing();

// Opens the window and framebuffer and runs the game's initGraphics once,
// then resets the GL state, the textures and the game.
void setUpDrawing();
// An empty course with the goal out of view.
void resetCourse();
// Makes `block` draw with `texture`: a wooden block whose grain slot in
// testTextures holds it (six distinct textures at a time).
void setTexture(Block& block, unsigned int texture);
Block blockWith(Vec3 position, Vec3 size, unsigned int texture);

// The game's projection for a viewport of this size (45 degrees, 1..200).
void gamePerspective(int width, int height);
// Looks straight down -y on the level, 16 pixels per unit, centred on (x, z).
void lookDown(float x, float z);
// Looks along -z at the level, 16 pixels per unit, centred on (x, y).
void lookAlongZ(float x, float y);
// Pixel column / row of a level point under lookDown or lookAlongZ.
int columnOf(float x, float centreX);
int rowOf(float along, float centre);

// A mipmapped square texture whose texel (s, t) is colourAt(s, t), t = 0
// being the picture's bottom row.
struct Texel {
    unsigned char r, g, b;
};
unsigned int textureOf(int side, const std::function<Texel(int s, int t)>& colourAt);
// One colour; and a red left half (small s) with a blue right half.
unsigned int solidTexture(unsigned char r, unsigned char g, unsigned char b);
unsigned int halvesTexture();

// Where a level point lands in the framebuffer under the current matrices.
struct ScreenPoint {
    double x, y;
};
ScreenPoint screenOf(double x, double y, double z);
Rgba middlePixel();

// Light model ambient 1: lit surfaces show their texel or colour as it is.
void fullAmbient();

bool sameColour(Rgba p, int r, int g, int b, int tolerance = 2);

// The whole framebuffer as RGBA rows, bottom row first.
std::vector<unsigned char> readAll(int width = viewWidth, int height = viewHeight);

