#pragma once
// Shared set-up for the drawing tests: a test window, a 320x256 offscreen
// framebuffer (the game's 5:4 shape), the game's fixed GL state, a ball, and
// solid-colour textures whose texels make colour checks exact.

#include <vector>

#include "sim/ball.h"
#include "tests/support/xvfb.h"

constexpr int viewWidth = 320;
constexpr int viewHeight = 256;

// Opens the window and framebuffer once, builds the shader pair from the
// source tree and resets the GL state, the camera, the ball and the lists.
void setUpDrawing();

// The game's projection for a viewport of this size (45 degrees, 1..200).
void gamePerspective(int width, int height);
// Looks straight down -y on the level, 16 pixels per unit, centred on (x, z).
void lookDown(float x, float z);
// Looks along -z at the level, 16 pixels per unit, centred on (x, y).
void lookAlongZ(float x, float y);
// Pixel column / row of a level point under lookDown or lookAlongZ.
int columnOf(float x, float centreX);
int rowOf(float along, float centre);

// A mipmapped texture of one colour, and one with a red left half (small s)
// and a blue right half.
unsigned int solidTexture(unsigned char r, unsigned char g, unsigned char b);
unsigned int halvesTexture();

// Light model ambient 1: lit surfaces show their texel or colour as it is.
void fullAmbient();

bool sameColour(Rgba p, int r, int g, int b, int tolerance = 2);

// The whole framebuffer as RGBA rows, bottom row first.
std::vector<unsigned char> readAll(int width = viewWidth, int height = viewHeight);

extern Ball testBall;
