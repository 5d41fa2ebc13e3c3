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
    bool cancel = false;  // B: back out of a menu; nothing in play
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

// Of a stick's reach, the share that does nothing, in percent: the player's
// setting, a sixth unless they choose another.
constexpr int usualPadDeadZone = 17;

// A stick counts as pushed past a third of its travel, or past the dead
// zone when that is larger.
inline bool stickPushed(int value, int direction, int deadZonePercent = usualPadDeadZone)
{
    const int third = padAxisMax / 3;
    const int dead = padAxisMax * deadZonePercent / 100;
    const int threshold = dead > third ? dead : third;
    return direction < 0 ? value < -threshold : value > threshold;
}

// The right stick turns the view by up to 12 pixels of pointer a tick,
// nothing inside the dead zone.
inline int stickLook(int value, int deadZonePercent = usualPadDeadZone)
{
    constexpr int lookPixelsPerTick = 12;
    if ((value < 0 ? -value : value) < padAxisMax * deadZonePercent / 100) return 0;
    return value * lookPixelsPerTick / padAxisMax;
}

// The actions pressed and let go between two readings, releases first.
std::vector<PadChange> padChanges(const PadReading& before, const PadReading& now);
