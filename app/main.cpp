// skycourse: the game. Start-up, then GLUT's loop: a timer runs the 25 ms
// ticks that the wall clock says are due and plays what happened, the display
// callback draws and shows the frame, the input callbacks turn keys and the
// mouse into controls.

#include <GL/freeglut.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <thread>

#include "app/audio.h"
#include "app/input.h"
#include "app/tick_clock.h"
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
    TickClock clock;
    // For tests only (SKYCOURSE_TEST_SLOW_FRAME_MS): every frame takes this
    // much longer, as on a slow machine, and every key press prints the
    // ticks run so far, so that a test can count them against its own clock.
    int slowFrameMs = 0;
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

double wallClockMs()
{
    return glutGet(GLUT_ELAPSED_TIME);
}

void onTimer(int)
{
    Game& game = session->game;
    const int owed = takeTicksOwed(session->clock, wallClockMs());
    for (int i = 0; i < owed && game.gameState == Playing; ++i) {
        advanceTick(game, session->input.controls);
        playEvents(session->sounds, game.events);
    }
    if (owed > 0) glutPostRedisplay();
    // Once the end screen is up the tick chain stops for good.
    if (game.gameState != Playing) return;
    glutTimerFunc(millisecondsToNextTick(session->clock, wallClockMs()), onTimer, 0);
}

void onDisplay()
{
    showFrame(session->game, session->graphics);
    if (session->slowFrameMs > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(session->slowFrameMs));
    }
}

void onReshape(int width, int height)
{
    reshapeWindow(session->window, width, height);
}

void onKeyDown(unsigned char key, int, int)
{
    if (session->slowFrameMs > 0) {
        std::printf("skycourse: %lld ticks\n", session->clock.ticksRun);
        std::fflush(stdout);
    }
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
    // glutInit would abort with a cryptic message of its own.
    if (!displayReachable()) {
        std::fprintf(stderr,
                     "skycourse: cannot open the X display (DISPLAY is unset or unreachable); "
                     "start the game from a graphical desktop\n");
        return 1;
    }

    static Session running;
    session = &running;
    if (const char* slow = std::getenv("SKYCOURSE_TEST_SLOW_FRAME_MS")) running.slowFrameMs = std::atoi(slow);
    const unsigned int seed = unsigned(std::time(nullptr));
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH | GLUT_STENCIL);
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

    running.clock = startTickClock(wallClockMs());
    glutTimerFunc(tickMilliseconds, onTimer, 0);
    glutMainLoop();
    return 0;
}
