#pragma once
// An SDL game controller, if one is plugged in: its sticks and buttons read
// each tick and turned into the actions the keys have, so a pad plays the
// same game, pause and recording as the keyboard. Without one nothing
// changes.

#include <vector>

#include "app/key_bindings.h"

struct _SDL_GameController;

// What the pad holds, as actions.
struct PadReading {
    bool forward = false, back = false, left = false, right = false;
    bool jump = false, turnLeft = false, turnRight = false, pause = false, mouseLook = false;
    int lookX = 0;  // the right stick as a pointer move, pixels of a 1280 x 1024 screen
    int lookY = 0;

    bool operator==(const PadReading&) const = default;
};

struct PadChange {
    Action action;
    bool down;
};

// The actions pressed and let go between two readings, releases first.
std::vector<PadChange> padChanges(const PadReading& before, const PadReading& now);

struct Gamepad {
    _SDL_GameController* controller = nullptr;
    PadReading last;
};

// Starts SDL's game controller support; false (the game goes on without a
// pad) when it cannot.
bool startGamepads();
// The pad's state now: the first controller plugged in is opened when none
// is; one pulled out reads as all let go.
PadReading readGamepad(Gamepad& pad);
void stopGamepads(Gamepad& pad);
