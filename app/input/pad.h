#pragma once
// A game pad read as the actions the keys have, whichever way it was read
// (SDL's game controller on the desktop, the Gamepad API in the browser):
// both give their sticks in SDL's units, so one set of thresholds decides.

#include <vector>

#include "app/input/key_bindings.h"

// What the pad holds, as actions.
struct PadReading {
    bool forward = false, back = false, left = false, right = false;
    bool jump = false, turnLeft = false, turnRight = false, pause = false, mouseLook = false;
    int lookX = 0;  // the right stick as a pointer move, pixels of the script's screen
    int lookY = 0;

    bool operator==(const PadReading&) const = default;
};

struct PadChange {
    Action action;
    bool down;
};

// A stick's full travel in SDL's units.
constexpr int padAxisMax = 32767;

// A stick counts as pushed past a third of its travel.
inline bool stickPushed(int value, int direction)
{
    return direction < 0 ? value < -padAxisMax / 3 : value > padAxisMax / 3;
}

// The right stick turns the view by up to 12 pixels of pointer a tick,
// nothing inside a sixth of its travel.
inline int stickLook(int value)
{
    constexpr int lookPixelsPerTick = 12;
    if ((value < 0 ? -value : value) < padAxisMax / 3 / 2) return 0;
    return value * lookPixelsPerTick / padAxisMax;
}

// The actions pressed and let go between two readings, releases first.
std::vector<PadChange> padChanges(const PadReading& before, const PadReading& now);
