#pragma once
// A game pad as read, whichever way (SDL's game controller on the desktop,
// the Gamepad API in the browser): its buttons as bits and its sticks in
// SDL's units, so that one set of thresholds decides and one set of
// bindings turns it into the actions the keys have.

#include <vector>

#include "app/input/key_bindings.h"
#include "app/input/key_codes.h"

// What the pad holds, raw.
struct PadReading {
    unsigned buttons = 0;  // 1 << the pad codes of key_codes.h
    int leftX = 0, leftY = 0, rightX = 0, rightY = 0;

    bool operator==(const PadReading&) const = default;
};

inline bool padHeld(const PadReading& reading, int button)
{
    return (reading.buttons >> button & 1u) != 0;
}

// A pad button as a key of the bindings.
inline PlayerKey padKey(int button)
{
    return {false, button, true};
}

// The pad's inputs as bits: its buttons, then its left stick pushed up,
// down, left and right.
constexpr int padStickUp = padButtonCount;
constexpr int padStickDown = padButtonCount + 1;
constexpr int padStickLeft = padButtonCount + 2;
constexpr int padStickRight = padButtonCount + 3;
constexpr int padInputCount = padButtonCount + 4;

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

// The inputs a reading holds, its stick past the thresholds.
unsigned padInputs(const PadReading& reading, int deadZonePercent = usualPadDeadZone);

// The actions these inputs hold, a bit each (1 << Action): a button through
// the bindings (one bound does its new action only, the others the pad's
// own), the left stick always the four directions.
unsigned padActions(const KeyBindings& bindings, unsigned inputs);

// The actions pressed and let go between two sets of held actions,
// releases first.
std::vector<PadChange> padChanges(unsigned before, unsigned now);
