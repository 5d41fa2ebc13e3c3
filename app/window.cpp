#include "app/window.h"

#include <GL/freeglut.h>
#include <X11/Xlib.h>

#include "app/input.h"

bool displayReachable()
{
    Display* display = XOpenDisplay(nullptr);
    if (!display) return false;
    XCloseDisplay(display);
    return true;
}

void openGameWindow()
{
    glutGameModeString("1280x1024:32@75");
    glutEnterGameMode();
    if (glutGameModeGet(GLUT_GAME_MODE_ACTIVE) && glutGetWindow() != 0) {
        gameModeActive = true;
        // Where the mode switch leaves the desktop's larger virtual screen
        // in place (XF86VidMode), the game-mode window comes out at the
        // virtual screen's size and the monitor would show only its
        // top-left corner, off-centre. Hold it to the mode's own size.
        glutPositionWindow(0, 0);
        glutReshapeWindow(glutGameModeGet(GLUT_GAME_MODE_WIDTH), glutGameModeGet(GLUT_GAME_MODE_HEIGHT));
        return;
    }
    // Most displays cannot switch to that mode (nor can Xvfb); the game
    // then fills the screen as it is rather than having no window at all.
    gameModeActive = false;
    glutInitWindowPosition(0, 0);
    glutInitWindowSize(glutGet(GLUT_SCREEN_WIDTH), glutGet(GLUT_SCREEN_HEIGHT));
    glutCreateWindow("Skycourse");
    glutFullScreen();
}
