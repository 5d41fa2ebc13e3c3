#pragma once
// Test support: a private Xvfb server and a GLUT window on it, so GL and
// GLUT code runs as in the game without any display of the machine's own.

#include <string>

// Starts Xvfb on a free display (1280x1024x24, with GLX), points DISPLAY
// at it and stops it when the process exits. Returns the display name,
// e.g. ":101"; aborts the test program if Xvfb cannot be started.
std::string startXvfb();

// Starts Xvfb (once) and opens a GLUT window with the game's display mode
// (RGB, double buffer, depth, stencil); its GL context is current after.
void openTestWindow(int width = 320, int height = 256);

// An offscreen colour + depth/stencil framebuffer, bound for drawing and
// reading. Pixels read back from it are exact, unlike a window's.
struct TestFramebuffer {
    unsigned int fbo = 0;
    unsigned int colour = 0;
    unsigned int depthStencil = 0;
    int width = 0;
    int height = 0;
};
TestFramebuffer makeFramebuffer(int width, int height);
void deleteFramebuffer(TestFramebuffer& fb);
// RGBA of pixel (x, y), origin at the bottom left as GL counts.
struct Rgba { unsigned char r, g, b, a; };
Rgba readPixel(int x, int y);
