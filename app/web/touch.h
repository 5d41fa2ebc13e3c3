#pragma once
// A touch screen's controls in the calls the keys and the mouse make: the
// stick on the left half presses and releases the very arrow keys a player
// would, so a run by touch records and replays as a run by keys; a drag on
// the right half is mouse look's pointer leaving the centre; a tap works
// an open menu. The page draws the stick and the buttons; this decides.

#include <vector>

#include "app/input/key_bindings.h"

// What a touch asks of the front, in order.
struct TouchCall {
    enum Kind { Key, Look, LookOn, Hover, Tap };
    Kind kind = Key;
    PlayerKey key;     // Key: an arrow key
    bool down = false; // Key: pressed or released
    int x = 0, y = 0;  // Look: the move from the centre; Hover, Tap: where on the canvas
};

// The stick's place, for the page to draw: shown while held.
struct StickPicture {
    bool shown = false;
    float originX = 0, originY = 0; // where the thumb landed
    float thumbX = 0, thumbY = 0;   // where it is now
};

struct TouchControls {
    float width = 1, height = 1; // the canvas in CSS pixels
    int stickId = -1;            // the touch holding the stick, or none
    float stickX = 0, stickY = 0, thumbX = 0, thumbY = 0;
    int stickKeys = 0;           // the arrows the stick holds, as stickUp... bits
    int lookId = -1;             // the touch turning the view, or none
    float lookX = 0, lookY = 0;  // where the last move was taken from
    int tapId = -1;              // a touch on an open menu
};

// How far the thumb must leave where it landed before the ball rolls, in
// CSS pixels: a resting thumb holds no key.
inline constexpr float stickDeadZone = 12;

// A touch landed at (x, y) of the canvas. With the menu open the menu takes
// it (a tap where it lifts); a look drag first turns mouse look on when it
// is off, as a click does.
std::vector<TouchCall> touchStart(TouchControls& controls, int id, float x, float y, bool menuOpen,
                                  bool mouseLookOn);
std::vector<TouchCall> touchMove(TouchControls& controls, int id, float x, float y);
// The touch lifted (or the browser cancelled it).
std::vector<TouchCall> touchEnd(TouchControls& controls, int id, float x, float y);

StickPicture stickPicture(const TouchControls& controls);

// The arrows (stickUp | stickLeft ...) of the stick pushed by (dx, dy), y
// downwards: one of eight directions, none within the dead zone.
int stickKeysOf(float dx, float dy);
inline constexpr int stickUp = 1, stickDown = 2, stickLeft = 4, stickRight = 8;
