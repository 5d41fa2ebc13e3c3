#pragma once
// An SDL game controller, if one is plugged in: its sticks and buttons read
// each tick as they are; the front turns them into the actions the keys
// have, so a pad plays the same game, pause and recording as the keyboard.
// Without one nothing changes.

#include "app/input/pad.h"

struct _SDL_GameController;

struct Gamepad {
    _SDL_GameController* controller = nullptr;
};

// Starts SDL's game controller support; false (the game goes on without a
// pad) when it cannot.
bool startGamepads();
// The pad's state now: the first controller plugged in is opened when none
// is; one pulled out reads as all let go.
PadReading readGamepad(Gamepad& pad);
void stopGamepads(Gamepad& pad);
