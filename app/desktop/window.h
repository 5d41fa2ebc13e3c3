#pragma once
// The game's one window: the 1280 x 1024 game mode where the display can
// switch to it, otherwise a full-screen window at the display's own size, or
// an ordinary window when the player asks for one; its size as last
// reshaped, and a frame drawn and shown in it.

#include <string>

#include "app/input/game_screen.h"
#include "render/graphics.h"

// Size of the game window as last reshaped (1280 x 1024 in game mode).
struct WindowSize {
    int width = gameScreenWidth;
    int height = gameScreenHeight;
};

// glutInit and the game's display mode (RGB, double buffer, depth,
// stencil). False, with GLUT untouched, when no X display can be opened
// (DISPLAY unset or unreachable).
bool startGlut(int& argc, char** argv);

// Needs startGlut. True when game mode was entered
// (Esc must then leave it).
bool openGameWindow();

// Needs glutInit and the display mode set. An ordinary window of this size,
// placed and decorated by the window manager.
void openOrdinaryWindow(int width, int height);

// Draws the frame and shows it: the one place a frame is swapped onto the
// screen.
void showFrame(Graphics& graphics, const FrameInput& input);

// The viewport for a window of this size, remembered in `window` for mouse
// look and for the frame's projection. A height of 0 counts as 1.
void reshapeWindow(WindowSize& window, int width, int height);
