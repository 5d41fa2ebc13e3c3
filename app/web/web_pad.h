#pragma once
// A browser gamepad with the standard mapping (the Gamepad API's buttons
// and axes) read as the desktop reads an SDL game controller: the same
// buttons, the sticks in the same units.

#include "app/input/pad.h"

struct BrowserPad {
    bool connected = false;
    bool standardMapping = false;
    double axes[4] = {};        // left x, left y, right x, right y; -1..1
    bool buttons[17] = {};      // the standard mapping's order
};

// All let go for no pad, or one whose buttons are not in the standard
// order (their meaning is then unknown).
PadReading readBrowserPad(const BrowserPad& pad);
