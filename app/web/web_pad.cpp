#include "app/web/web_pad.h"

#include <cmath>

namespace {

// The standard mapping's buttons as the pad's codes; its triggers (6, 7)
// and its home button (16) are not the game's.
constexpr struct {
    int standard;
    int code;
} buttons[] = {
    {0, padA}, {1, padB}, {2, padX}, {3, padY}, {4, padLeftShoulder}, {5, padRightShoulder},
    {8, padBack}, {9, padStart}, {10, padLeftStick}, {11, padRightStick},
    {12, padUp}, {13, padDown}, {14, padLeft}, {15, padRight},
};

// The Gamepad API's -1..1 in SDL's units, so that the desktop's
// thresholds decide.
int sdlAxis(double value)
{
    if (!(value >= -1.0)) value = -1.0;  // NaN too: a pad's numbers are not to be trusted
    if (value > 1.0) value = 1.0;
    return static_cast<int>(std::lround(value * padAxisMax));
}

}  // namespace

PadReading readBrowserPad(const BrowserPad& pad)
{
    if (!pad.connected || !pad.standardMapping) return {};
    PadReading now;
    for (const auto& b : buttons) {
        if (pad.buttons[b.standard]) now.buttons |= 1u << b.code;
    }
    now.leftX = sdlAxis(pad.axes[0]);
    now.leftY = sdlAxis(pad.axes[1]);
    now.rightX = sdlAxis(pad.axes[2]);
    now.rightY = sdlAxis(pad.axes[3]);
    return now;
}
