#include "app/input.h"

#include <GL/freeglut.h>

#include <cstdlib>

#include "app/tick.h"
#include "assets/sound.h"
#include "sim/ball.h"
#include "sim/game_state.h"

uint8_t jumpKey = 13;
bool jumpKeyIsZ = false;
bool mouseLookDisabled = true;

int (*readModifiers)() = glutGetModifiers;
void (*warpPointer)(int x, int y) = glutWarpPointer;

bool gameModeActive = false;

namespace {

constexpr unsigned char keyEscape = 27;
constexpr unsigned char keyEnter = 13;
constexpr unsigned char keyZ = 'z';

// The move flags as a ring, so that an arrow can be turned by viewQuadrant.
bool& moveFlag(int index)
{
    static bool* const ring[4] = {&moveForward, &moveRight, &moveBack, &moveLeft};
    return *ring[index & 3];
}

// Up 0, Right 1, Down 2, Left 3, matching the ring; -1 for any other key.
int arrowIndex(int key)
{
    switch (key) {
    case GLUT_KEY_UP: return 0;
    case GLUT_KEY_RIGHT: return 1;
    case GLUT_KEY_DOWN: return 2;
    case GLUT_KEY_LEFT: return 3;
    default: return -1;
    }
}

void setArrowFlag(int key, bool held)
{
    int arrow = arrowIndex(key);
    if (arrow >= 0) {
        moveFlag((arrow + viewQuadrant) % 4) = held;
    }
}

bool anyMoveFlag()
{
    return moveForward || moveRight || moveBack || moveLeft;
}

// Quarter turns added by Shift with an arrow; 0 for keys that do not turn.
int quarterTurnsOf(int key)
{
    switch (key) {
    case GLUT_KEY_LEFT: return 3;
    case GLUT_KEY_RIGHT: return 1;
    case GLUT_KEY_DOWN: return 2;
    default: return 0;
    }
}

}  // namespace

void onKeyDown(unsigned char key, int, int)
{
    switch (key) {
    case keyEscape:
        exitGame();
    case keyEnter:
    case keyZ:
        if (key == jumpKey) jumpHeld = true;
        break;
    case 'c':
        firstPersonView = !firstPersonView;
        cameraPitch = 0.0f;
        break;
    case 'l':
        cameraPitch = 0.0f;
        cameraYaw = 0.0f;
        break;
    case 'p':
        mouseLookDisabled = !mouseLookDisabled;
        break;
    default:
        break;
    }
}

void onKeyUp(unsigned char key, int, int)
{
    if ((key == keyEnter || key == keyZ) && key == jumpKey) {
        jumpHeld = false;
    }
}

void onSpecialDown(int key, int, int)
{
    // A quarter turn only while no arrow is held: then the view never turns
    // between an arrow's press and its release, and the release clears the
    // same flag the press set.
    if (readModifiers() == GLUT_ACTIVE_SHIFT && !anyMoveFlag()) {
        int turns = quarterTurnsOf(key);
        if (turns != 0) {
            viewQuadrant = (viewQuadrant + turns) % 4;
            moveForward = moveRight = moveBack = moveLeft = false;
        }
        return;
    }
    if (key == GLUT_KEY_F1) {
        jumpKeyIsZ = !jumpKeyIsZ;
        jumpKey = jumpKeyIsZ ? keyZ : keyEnter;
        return;
    }
    setArrowFlag(key, true);
}

void onSpecialUp(int key, int, int)
{
    setArrowFlag(key, false);
}

void onMouseMove(int x, int y)
{
    // The centre and the scale follow the real window, so that a full window
    // width turns the view by 360 degrees whatever the screen's size; in the
    // 1280 x 1024 game mode this is (640, 512) and 1280 by 1024.
    const int width = windowWidth > 0 ? windowWidth : 1;
    const int height = windowHeight > 0 ? windowHeight : 1;
    const int centreX = width / 2;
    const int centreY = height / 2;

    // Our own warp comes back as a motion event at the centre.
    if (x == centreX && y == centreY) return;

    if (mouseLookDisabled) {
        warpPointer(centreX, centreY);
        return;
    }

    cameraYaw = float(double(cameraYaw) + double(x - centreX) / width * 360.0);
    while (cameraYaw > 360.0f) cameraYaw = float(double(cameraYaw) - 360.0);
    while (cameraYaw < 0.0f) cameraYaw = float(double(cameraYaw) + 360.0);

    cameraPitch = float(double(cameraPitch) + double(y - centreY) / height * 360.0);
    if (cameraPitch >= 90.0f) cameraPitch = 90.0f;
    if (cameraPitch <= -90.0f) cameraPitch = -90.0f;

    warpPointer(centreX, centreY);
}

void exitGame()
{
    releaseSound();
    delete ball;
    ball = nullptr;
    // Hand the desktop its own resolution back.
    if (gameModeActive) {
        glutLeaveGameMode();
        gameModeActive = false;
    }
    std::exit(0);
}
