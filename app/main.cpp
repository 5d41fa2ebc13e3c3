// skycourse: the game. Start-up, then GLUT's loop: a 25 ms timer moves the
// game on and plays what happened, the display callback draws and shows the
// frame, the input callbacks turn keys and the mouse into controls.

#include <GL/freeglut.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "app/audio.h"
#include "app/input.h"
#include "app/media_folder.h"
#include "app/standard_streams.h"
#include "app/window.h"
#include "assets/sound.h"
#include "render/graphics.h"
#include "sim/game.h"
#include "sim/timing.h"

namespace {

// The running program: everything the callbacks share.
struct Session {
    Game game;
    Input input;
    WindowSize window;
    bool gameModeActive = false;
    Graphics graphics;
    GameSounds sounds;
};

// GLUT callbacks take no argument; this is how they reach the session.
Session* session = nullptr;

// Esc: release the sound system, hand the desktop its own resolution back,
// exit 0.
[[noreturn]] void exitGame()
{
    releaseSound(session->sounds);
    if (session->gameModeActive) {
        glutLeaveGameMode();
        session->gameModeActive = false;
    }
    std::exit(0);
}

void onTimer(int)
{
    // Once the end screen is up the tick chain stops for good.
    const bool ticked = advanceTick(session->game, session->input.controls);
    playEvents(session->sounds, session->game.events);
    if (!ticked) return;
    glutPostRedisplay();
    glutTimerFunc(tickMilliseconds, onTimer, 0);
}

void onDisplay()
{
    showFrame(session->game, session->graphics.textures);
}

void onReshape(int width, int height)
{
    reshapeWindow(session->window, width, height);
}

void onKeyDown(unsigned char key, int, int)
{
    if (pressKey(session->input, session->game.camera, key)) exitGame();
}

void onKeyUp(unsigned char key, int, int)
{
    releaseKey(session->input, key);
}

void onSpecialDown(int key, int, int)
{
    pressSpecial(session->input, session->game.camera, key, glutGetModifiers());
}

void onSpecialUp(int key, int, int)
{
    releaseSpecial(session->input, session->game.camera, key);
}

void onMouseMove(int x, int y)
{
    const WindowSize& window = session->window;
    const PointerWarp warp =
        movePointer(session->input, session->game.camera, x, y, window.width, window.height);
    if (warp.warp) glutWarpPointer(warp.x, warp.y);
}

}  // namespace

int main(int argc, char** argv)
{
    openClosedStandardDescriptors();
    enterMediaFolder();
    const unsigned int seed = unsigned(std::time(nullptr));
    if (!startGlut(argc, argv)) {
        std::fprintf(stderr,
                     "skycourse: cannot open the X display (DISPLAY is unset or unreachable); "
                     "start the game from a graphical desktop\n");
        return 1;
    }

    static Session running;
    session = &running;
    running.gameModeActive = openGameWindow();

    running.graphics = initGraphics();
    running.game = newGame(seed);
    initSound(running.sounds);
    startBackgroundMusic(running.sounds);

    glutDisplayFunc(onDisplay);
    glutKeyboardFunc(onKeyDown);
    glutKeyboardUpFunc(onKeyUp);
    glutSpecialFunc(onSpecialDown);
    glutSpecialUpFunc(onSpecialUp);
    glutPassiveMotionFunc(onMouseMove);
    glutReshapeFunc(onReshape);

    glutTimerFunc(tickMilliseconds, onTimer, 0);
    glutMainLoop();
    return 0;
}
