// A browser pad plays as an SDL pad does on the desktop: the same buttons,
// the same stick thresholds, the right stick as the same pointer moves.

#include <gtest/gtest.h>

#include "app/web/web_pad.h"

namespace {

BrowserPad standardPad()
{
    BrowserPad pad;
    pad.connected = true;
    pad.standardMapping = true;
    return pad;
}

TEST(WebPad, ButtonsAsActions)
{
    struct Case {
        int button;
        bool PadReading::*field;
    };
    const Case cases[] = {
        {0, &PadReading::jump},      {4, &PadReading::turnLeft}, {5, &PadReading::turnRight},
        {8, &PadReading::mouseLook}, {9, &PadReading::pause},    {12, &PadReading::forward},
        {13, &PadReading::back},     {14, &PadReading::left},    {15, &PadReading::right},
    };
    for (const Case& c : cases) {
        BrowserPad pad = standardPad();
        pad.buttons[c.button] = true;
        PadReading want;
        want.*c.field = true;
        EXPECT_EQ(readBrowserPad(pad), want) << "button " << c.button;
    }
}

// Past a third of the travel a stick is a held direction; the right stick
// is a pointer move of up to 12 pixels, none inside a sixth of its travel.
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
    };
    for (const Case& c : cases) {
        BrowserPad pad = standardPad();
        pad.axes[0] = c.lx;
        pad.axes[1] = c.ly;
        pad.axes[2] = c.rx;
        pad.axes[3] = c.ry;
        const PadReading now = readBrowserPad(pad);
        EXPECT_EQ(now.forward, c.forward) << c.ly;
        EXPECT_EQ(now.back, c.back) << c.ly;
        EXPECT_EQ(now.left, c.left) << c.lx;
        EXPECT_EQ(now.right, c.right) << c.lx;
        EXPECT_EQ(now.lookX, c.lookX) << c.rx;
        EXPECT_EQ(now.lookY, c.lookY) << c.ry;
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
