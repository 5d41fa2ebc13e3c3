// skycourse-tap-key KEYSYM...: presses and lets go each key in turn on the
// X display, as a player would, so that the game-cost measure can pause
// the game or open a page of its menu.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <stdio.h>
#include <unistd.h>

int main(int argc, char** argv)
{
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "skycourse-tap-key: cannot open the display\n");
        return 1;
    }
    for (int i = 1; i < argc; ++i) {
        const KeySym sym = XStringToKeysym(argv[i]);
        const KeyCode code = sym == NoSymbol ? 0 : XKeysymToKeycode(display, sym);
        if (code == 0) {
            fprintf(stderr, "skycourse-tap-key: no key %s\n", argv[i]);
            XCloseDisplay(display);
            return 2;
        }
        XTestFakeKeyEvent(display, code, True, 0);
        XTestFakeKeyEvent(display, code, False, 0);
        XSync(display, False);
        usleep(100000);
    }
    XCloseDisplay(display);
    return 0;
}
