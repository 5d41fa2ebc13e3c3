#pragma once
// Keyboard and mouse turned into what the game reads: the held controls the
// tick takes, and the camera commands that act on the view at once. The GLUT
// callbacks, the replay tool and the autopilot all go through these, so a
// script drives exactly what a player drives.

#include <cstdint>

#include "app/input/key_codes.h"
#include "sim/game.h"

struct Input {
    Controls controls;
    uint8_t jumpKey = keyEnter;    // keyEnter or "z"
    bool jumpKeyIsZ = false;
    bool mouseLookDisabled = true;
};

// A key press; true when it asks to quit (Esc).
bool pressKey(Input& input, Camera& camera, unsigned char key);
void releaseKey(Input& input, unsigned char key);
// A special key (app/key_codes.h) with the modifier bits held (modifier*).
void pressSpecial(Input& input, Camera& camera, int key, int modifiers);
void releaseSpecial(Input& input, const Camera& camera, int key);

// Where the pointer must be put back after a move; warp false when it stays.
struct PointerWarp {
    bool warp;
    int x;
    int y;
};
// A pointer move inside a window of the given size: turns and tilts the view
// while mouse look is on.
PointerWarp movePointer(Input& input, Camera& camera, int x, int y, int width, int height);
