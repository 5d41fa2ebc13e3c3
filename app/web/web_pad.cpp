#include "app/web/web_pad.h"

#include <cmath>

namespace {

// The standard mapping's buttons.
enum : int {
    buttonA = 0, buttonB = 1, buttonLeftShoulder = 4, buttonRightShoulder = 5, buttonBack = 8, buttonStart = 9,
    buttonUp = 12, buttonDown = 13, buttonLeft = 14, buttonRight = 15,
};

// The Gamepad API's -1..1 in SDL's units, so that the desktop's
// thresholds decide.
int sdlAxis(double value)
{
    return static_cast<int>(std::lround(value * padAxisMax));
}

}  // namespace

PadReading readBrowserPad(const BrowserPad& pad, int deadZonePercent)
{
    if (!pad.connected || !pad.standardMapping) return {};
    PadReading now;
    const int x = sdlAxis(pad.axes[0]);
    const int y = sdlAxis(pad.axes[1]);
    now.forward = pad.buttons[buttonUp] || stickPushed(y, -1, deadZonePercent);
    now.back = pad.buttons[buttonDown] || stickPushed(y, 1, deadZonePercent);
    now.left = pad.buttons[buttonLeft] || stickPushed(x, -1, deadZonePercent);
    now.right = pad.buttons[buttonRight] || stickPushed(x, 1, deadZonePercent);
    now.jump = pad.buttons[buttonA];
    now.turnLeft = pad.buttons[buttonLeftShoulder];
    now.turnRight = pad.buttons[buttonRightShoulder];
    now.pause = pad.buttons[buttonStart];
    now.mouseLook = pad.buttons[buttonBack];
    now.cancel = pad.buttons[buttonB];
    now.lookX = stickLook(sdlAxis(pad.axes[2]), deadZonePercent);
    now.lookY = stickLook(sdlAxis(pad.axes[3]), deadZonePercent);
    return now;
}
