#include "app/web/web_pad.h"

#include <cmath>

namespace {

// As for a desktop pad: a stick counts as pushed past a third of its
// travel, and the right stick turns the view by up to 12 pixels a tick,
// nothing inside a sixth of its travel.
constexpr double stickThreshold = 1.0 / 3.0;
constexpr int lookPixelsPerTick = 12;

// The standard mapping's buttons.
enum : int {
    buttonA = 0, buttonLeftShoulder = 4, buttonRightShoulder = 5, buttonBack = 8, buttonStart = 9,
    buttonUp = 12, buttonDown = 13, buttonLeft = 14, buttonRight = 15,
};

int lookOf(double value)
{
    if (std::fabs(value) < stickThreshold / 2) return 0;
    // SDL's axes run to 32767, and the desktop truncates toward zero.
    const int raw = static_cast<int>(std::lround(value * 32767.0));
    return raw * lookPixelsPerTick / 32767;
}

}  // namespace

PadReading readBrowserPad(const BrowserPad& pad)
{
    if (!pad.connected || !pad.standardMapping) return {};
    PadReading now;
    const double x = pad.axes[0];
    const double y = pad.axes[1];
    now.forward = pad.buttons[buttonUp] || y < -stickThreshold;
    now.back = pad.buttons[buttonDown] || y > stickThreshold;
    now.left = pad.buttons[buttonLeft] || x < -stickThreshold;
    now.right = pad.buttons[buttonRight] || x > stickThreshold;
    now.jump = pad.buttons[buttonA];
    now.turnLeft = pad.buttons[buttonLeftShoulder];
    now.turnRight = pad.buttons[buttonRightShoulder];
    now.pause = pad.buttons[buttonStart];
    now.mouseLook = pad.buttons[buttonBack];
    now.lookX = lookOf(pad.axes[2]);
    now.lookY = lookOf(pad.axes[3]);
    return now;
}
