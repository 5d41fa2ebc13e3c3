// The Pause key, which GLUT never passes on, heard on the game's window
// through a connection of its own: a press counts once however long it is
// held, and other keys are not it.

// gtest before Xlib, whose macros (None, Bool) would break it.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include "app/desktop/pause_key.h"
#include "tests/support/xvfb.h"

namespace {

TEST(PauseKey, EachPressOfPauseOnTheWindowCountsOnce)
{
    startXvfb();
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 100, 100, 0, 0, 0);
    XSelectInput(display, window, StructureNotifyMask);
    XMapWindow(display, window);
    for (XEvent event; XNextEvent(display, &event), event.type != MapNotify;) {
    }
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
    XSync(display, False);

    PauseKey key;
    ASSERT_TRUE(listenForPauseKey(key, window));
    XSync(key.display, False);
    auto send = [&](KeySym keysym, bool down) {
        XTestFakeKeyEvent(display, XKeysymToKeycode(display, keysym), down, CurrentTime);
        XSync(display, False);
    };
    auto presses = [&] {
        // Events from the other connection's keys are in this one's stream
        // before the reply to this round trip.
        XSync(key.display, False);
        return pauseKeyPresses(key);
    };
    ASSERT_NE(XKeysymToKeycode(display, XK_Pause), 0) << "the server has a Pause key";

    EXPECT_EQ(presses(), 0);
    send(XK_Pause, true);
    send(XK_Pause, false);
    EXPECT_EQ(presses(), 1);
    send(XK_space, true);
    send(XK_space, false);
    send(XK_p, true);
    send(XK_p, false);
    EXPECT_EQ(presses(), 0) << "only Pause";
    send(XK_Pause, true);
    send(XK_Pause, true);
    send(XK_Pause, true);
    EXPECT_EQ(presses(), 1) << "a held key's repeats are one press";
    send(XK_Pause, false);
    send(XK_Pause, true);
    send(XK_Pause, false);
    EXPECT_EQ(presses(), 1);

    stopListeningForPauseKey(key);
    EXPECT_EQ(pauseKeyPresses(key), 0);
    XDestroyWindow(display, window);
    XCloseDisplay(display);
}

}  // namespace
