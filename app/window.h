#pragma once
// The game's one window: the 1280 x 1024 game mode where the display can
// switch to it, otherwise a full-screen window at the display's own size, or
// an ordinary window when the player asks for one;
// its size as last reshaped, and the projection that goes with it.

#include <string>

#include "app/frame_input.h"
#include "app/play.h"
#include "app/race.h"
#include "render/graphics.h"
#include "sim/game.h"

// Size of the game window as last reshaped (1280 x 1024 in game mode).
struct WindowSize {
    int width = 1280;
    int height = 1024;
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

// What a frame shows: the game (the scene while playing, the end picture
// after the goal), the race's ghost when it is shown, and over it the pause
// sign, and with the timer on the game time, checkpoints and the split of
// the last checkpoint, or on the end picture `runLine` (the run's time) and
// the race's end lines.
FrameInput frameInput(const Play& play, const Race& race, const WindowSize& window, const std::string& runLine);

// Draws that and shows it: the one place a frame is swapped onto the screen.
void showFrame(const Play& play, const Race& race, Graphics& graphics, const WindowSize& window,
               const std::string& runLine);

// The viewport for a window of this size, remembered in `window` for mouse
// look and for the frame's projection. A height of 0 counts as 1.
void reshapeWindow(WindowSize& window, int width, int height);
