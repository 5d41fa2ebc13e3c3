#include <GL/freeglut.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "app/input.h"
#include "app/tick.h"
#include "app/window.h"
#include "assets/sound.h"
#include "assets/textures.h"
#include "world/level.h"

int main(int argc, char** argv)
{
    // glutInit would abort with a cryptic message of its own.
    if (!displayReachable()) {
        std::fprintf(stderr,
                     "skycourse: cannot open the X display (DISPLAY is unset or unreachable); "
                     "start the game from a graphical desktop\n");
        return 1;
    }

    std::srand(unsigned(std::time(nullptr)));
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH | GLUT_STENCIL);
    openGameWindow();

    // The textures must exist before the level is built: blocks carry them.
    initGraphics();
    buildLevel();
    initSound();
    startBackgroundMusic();

    glutDisplayFunc(onDisplay);
    glutKeyboardFunc(onKeyDown);
    glutKeyboardUpFunc(onKeyUp);
    glutSpecialFunc(onSpecialDown);
    glutSpecialUpFunc(onSpecialUp);
    glutPassiveMotionFunc(onMouseMove);
    glutReshapeFunc(onReshape);

    glutTimerFunc(25, onTimer, 0);
    glutMainLoop();
    return 0;
}
