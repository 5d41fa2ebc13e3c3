#include "app/desktop/window.h"

#include <GL/freeglut.h>
#include <X11/Xlib.h>

#include <string>


bool startGlut(int& argc, char** argv)
{
    // GLUT ends the process with a cryptic line when it cannot open the
    // display, so X is asked first. The probe stays connected until GLUT's
    // own connection is made: a server that resets when its last client
    // leaves would otherwise be resetting just as GLUT connects.
    Display* probe = XOpenDisplay(nullptr);
    if (!probe) return false;
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH | GLUT_STENCIL);
    XCloseDisplay(probe);
    return true;
}

namespace {

// Auto-repeat would send a held Shift+arrow again and again, a quarter turn
// each; held arrows and the jump key stay held without it.
void finishWindow()
{
    glutIgnoreKeyRepeat(1);
    glutSetCursor(GLUT_CURSOR_NONE);
}

}  // namespace

bool openGameWindow()
{
    glutGameModeString((std::to_string(gameScreenWidth) + "x" + std::to_string(gameScreenHeight) + ":32@75").c_str());
    // Asked first: entering a mode the display lacks makes freeglut print a
    // warning of its own on every start.
    if (glutGameModeGet(GLUT_GAME_MODE_POSSIBLE)) glutEnterGameMode();
    if (glutGameModeGet(GLUT_GAME_MODE_ACTIVE) && glutGetWindow() != 0) {
        // Where the mode switch leaves the desktop's larger virtual screen
        // in place (XF86VidMode), the game-mode window comes out at the
        // virtual screen's size and the monitor would show only its
        // top-left corner, off-centre. Hold it to the mode's own size.
        glutPositionWindow(0, 0);
        glutReshapeWindow(glutGameModeGet(GLUT_GAME_MODE_WIDTH), glutGameModeGet(GLUT_GAME_MODE_HEIGHT));
        finishWindow();
        return true;
    }
    // Most displays cannot switch to that mode (nor can Xvfb); the game
    // then fills the screen as it is rather than having no window at all.
    glutInitWindowPosition(0, 0);
    glutInitWindowSize(glutGet(GLUT_SCREEN_WIDTH), glutGet(GLUT_SCREEN_HEIGHT));
    glutCreateWindow("Skycourse");
    glutFullScreen();
    finishWindow();
    return false;
}

void openOrdinaryWindow(int width, int height)
{
    glutInitWindowSize(width, height);
    glutCreateWindow("Skycourse");
    glutIgnoreKeyRepeat(1);
}

void reshapeWindow(WindowSize& window, int width, int height)
{
    // A window shrunk to no height would make the aspect ratio infinite.
    if (height < 1) height = 1;
    glViewport(0, 0, width, height);
    window.width = width > 0 ? width : 1;
    window.height = height;
}

void showFrame(Graphics& graphics, const FrameInput& input)
{
    drawGame(graphics, input);
    glutSwapBuffers();
}
