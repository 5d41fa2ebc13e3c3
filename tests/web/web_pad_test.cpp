// A browser pad reads as an SDL pad does on the desktop: the same buttons,
// the sticks in the same units, so the same thresholds decide.

#include <gtest/gtest.h>

#include <cmath>

#include "app/web/web_pad.h"

namespace {

BrowserPad standardPad()
{
    BrowserPad pad;
    pad.connected = true;
    pad.standardMapping = true;
    return pad;
}

// Each button of the standard mapping as the pad's button of that name;
// the triggers and the home button are none of the game's.
TEST(WebPad, ButtonsAsThePadsButtons)
{
    struct Case {
        int standard;
        unsigned buttons;
    };
    const Case cases[] = {
        {0, 1u << padA},       {1, 1u << padB},      {2, 1u << padX},     {3, 1u << padY},
        {4, 1u << padLeftShoulder}, {5, 1u << padRightShoulder}, {6, 0}, {7, 0},
        {8, 1u << padBack},    {9, 1u << padStart},  {10, 1u << padLeftStick}, {11, 1u << padRightStick},
        {12, 1u << padUp},     {13, 1u << padDown},  {14, 1u << padLeft}, {15, 1u << padRight},
        {16, 0},
    };
    for (const Case& c : cases) {
        BrowserPad pad = standardPad();
        pad.buttons[c.standard] = true;
        PadReading want;
        want.buttons = c.buttons;
        EXPECT_EQ(readBrowserPad(pad), want) << "button " << c.standard;
    }
}

// Past a third of the travel the left stick is a held direction; the right
// stick is a pointer move of up to 12 pixels, none inside a sixth of its
// travel. A browser's number out of range, or none, is the nearest end.
TEST(WebPad, Sticks)
{
    struct Case {
        double lx, ly, rx, ry;
        bool forward, back, left, right;
        int lookX, lookY;
    };
    const Case cases[] = {
        {0.0, 0.0, 0.0, 0.0, false, false, false, false, 0, 0},
        {0.3, -0.3, 0.16, -0.16, false, false, false, false, 0, 0},
        {0.34, -0.34, 0.17, -0.17, true, false, false, true, 2, -2},
        {-1.0, 1.0, 1.0, -1.0, false, true, true, false, 12, -12},
        {0.0, -1.0, -0.5, 0.5, true, false, false, false, -6, 6},
        {-7.0, 3.0, 1e300, NAN, false, true, true, false, 12, -12},
    };
    for (const Case& c : cases) {
        BrowserPad pad = standardPad();
        pad.axes[0] = c.lx;
        pad.axes[1] = c.ly;
        pad.axes[2] = c.rx;
        pad.axes[3] = c.ry;
        const PadReading now = readBrowserPad(pad);
        const unsigned inputs = padInputs(now);
        EXPECT_EQ((inputs >> padStickUp & 1u) != 0, c.forward) << c.ly;
        EXPECT_EQ((inputs >> padStickDown & 1u) != 0, c.back) << c.ly;
        EXPECT_EQ((inputs >> padStickLeft & 1u) != 0, c.left) << c.lx;
        EXPECT_EQ((inputs >> padStickRight & 1u) != 0, c.right) << c.lx;
        EXPECT_EQ(stickLook(now.rightX), c.lookX) << c.rx;
        EXPECT_EQ(stickLook(now.rightY), c.lookY) << c.ry;
    }
}

// A pad whose buttons are in an order of its own could jump on any button:
// it is read as nothing, as is a pad that went away.
TEST(WebPad, UnknownOrGonePads)
{
    BrowserPad pad = standardPad();
    pad.buttons[0] = true;
    pad.axes[1] = -1.0;
    BrowserPad ownOrder = pad;
    ownOrder.standardMapping = false;
    BrowserPad gone = pad;
    gone.connected = false;
    EXPECT_EQ(readBrowserPad(ownOrder), PadReading{});
    EXPECT_EQ(readBrowserPad(gone), PadReading{});
}

}  // namespace
