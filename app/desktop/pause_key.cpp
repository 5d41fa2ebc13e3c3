#include "app/desktop/pause_key.h"

#include <GL/glx.h>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

bool listenForPauseKey(PauseKey& key, unsigned long window)
{
    key.display = XOpenDisplay(nullptr);
    if (!key.display) return false;
    // A held key then repeats as presses alone, told apart by `held`.
    XkbSetDetectableAutoRepeat(key.display, True, nullptr);
    XSelectInput(key.display, window, KeyPressMask | KeyReleaseMask);
    XFlush(key.display);
    return true;
}

unsigned long currentGlWindow()
{
    return glXGetCurrentDrawable();
}

int pauseKeyPresses(PauseKey& key)
{
    if (!key.display) return 0;
    int presses = 0;
    while (XPending(key.display) > 0) {
        XEvent event;
        XNextEvent(key.display, &event);
        if (event.type != KeyPress && event.type != KeyRelease) continue;
        if (XLookupKeysym(&event.xkey, 0) != XK_Pause) continue;
        if (event.type == KeyPress && !key.held) ++presses;
        key.held = event.type == KeyPress;
    }
    return presses;
}

void stopListeningForPauseKey(PauseKey& key)
{
    if (key.display) XCloseDisplay(key.display);
    key.display = nullptr;
}
