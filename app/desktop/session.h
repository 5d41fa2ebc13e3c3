#pragma once
// The running game as the desktop's shell holds it: the front, which owns
// the run, and what only a desktop has: the command line, the window, the
// pad and the Pause key, the renderer, the sound and the row trace. GLUT's
// callbacks take no argument, so main.cpp keeps the one Session and hands
// it to everything it calls.

#include <cstdio>

#include "app/desktop/gamepad.h"
#include "app/desktop/pause_key.h"
#include "app/desktop/window.h"
#include "app/front/front.h"
#include "app/front/options.h"
#include "assets/sound.h"
#include "render/graphics.h"

struct Session {
    Options options;
    Front front;
    WindowSize window;
    bool windowed = false;        // an ordinary window (--window, or the player's setting)
    bool gameModeActive = false;
    // In an ordinary window the pointer is the player's own while mouse
    // look is off: shown, and not held at the centre.
    bool pointerFree = false;
    Gamepad pad;
    PauseKey pauseKey;
    Graphics graphics;
    // The renderer the settings last asked for: a change of it switches
    // renderers; one the GL cannot start is not tried again each time.
    Renderer rendererAsked = Renderer::Classic;
    GameSounds sounds;
    std::FILE* rows = nullptr;  // SKYCOURSE_ROWS
    bool ending = false;
};
