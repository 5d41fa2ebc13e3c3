#include "app/input/input.h"

#include "app/input/key_codes.h"

namespace {

constexpr unsigned char keyZ = 'z';

// The move flags as a ring, so that an arrow can be turned by viewQuadrant.
bool& moveFlag(Controls& controls, int index)
{
    switch (index & 3) {
    case 0: return controls.moveForward;
    case 1: return controls.moveRight;
    case 2: return controls.moveBack;
    default: return controls.moveLeft;
    }
}

// Up 0, Right 1, Down 2, Left 3, matching the ring; -1 for any other key.
int arrowIndex(int key)
{
    switch (key) {
    case keyUp: return 0;
    case keyRight: return 1;
    case keyDown: return 2;
    case keyLeft: return 3;
    default: return -1;
    }
}

void setArrowFlag(Controls& controls, const Camera& camera, int key, bool held)
{
    int arrow = arrowIndex(key);
    if (arrow >= 0) {
        moveFlag(controls, (arrow + camera.viewQuadrant) % 4) = held;
    }
}

bool anyMoveFlag(const Controls& c)
{
    return c.moveForward || c.moveRight || c.moveBack || c.moveLeft;
}

// Quarter turns added by Shift with an arrow; 0 for keys that do not turn.
int quarterTurnsOf(int key)
{
    switch (key) {
    case keyLeft: return 3;
    case keyRight: return 1;
    case keyDown: return 2;
    default: return 0;
    }
}

}  // namespace

bool pressKey(Input& input, Camera& camera, unsigned char key)
{
    switch (key) {
    case keyEscape:
        return true;
    case keyEnter:
    case keyZ:
        if (key == input.jumpKey) input.controls.jumpHeld = true;
        break;
    case 'c':
        camera.firstPersonView = !camera.firstPersonView;
        camera.cameraPitch = 0.0f;
        break;
    case 'l':
        camera.cameraPitch = 0.0f;
        camera.cameraYaw = 0.0f;
        break;
    case 'p':
        input.mouseLookDisabled = !input.mouseLookDisabled;
        break;
    default:
        break;
    }
    return false;
}

void releaseKey(Input& input, unsigned char key)
{
    if ((key == keyEnter || key == keyZ) && key == input.jumpKey) {
        input.controls.jumpHeld = false;
    }
}

void pressSpecial(Input& input, Camera& camera, int key, int modifiers)
{
    Controls& c = input.controls;
    // A quarter turn only while no arrow is held: then the view never turns
    // between an arrow's press and its release, and the release clears the
    // same flag the press set.
    if (modifiers == modifierShift && !anyMoveFlag(c)) {
        int turns = quarterTurnsOf(key);
        if (turns != 0) {
            camera.viewQuadrant = (camera.viewQuadrant + turns) % 4;
            c.moveForward = c.moveRight = c.moveBack = c.moveLeft = false;
        }
        return;
    }
    if (key == keyF1) {
        input.jumpKeyIsZ = !input.jumpKeyIsZ;
        input.jumpKey = input.jumpKeyIsZ ? keyZ : keyEnter;
        return;
    }
    setArrowFlag(c, camera, key, true);
}

void releaseSpecial(Input& input, const Camera& camera, int key)
{
    setArrowFlag(input.controls, camera, key, false);
}

PointerWarp movePointer(Input& input, Camera& camera, int x, int y, int windowWidth, int windowHeight)
{
    // The centre and the scale follow the real window, so that a full window
    // width turns the view by 360 degrees whatever the screen's size; in the
    // 1280 x 1024 game mode this is (640, 512) and 1280 by 1024.
    const int width = windowWidth > 0 ? windowWidth : 1;
    const int height = windowHeight > 0 ? windowHeight : 1;
    const int centreX = width / 2;
    const int centreY = height / 2;

    // Our own warp comes back as a motion event at the centre.
    if (x == centreX && y == centreY) return {false, centreX, centreY};

    if (input.mouseLookDisabled) return {true, centreX, centreY};

    float& yaw = camera.cameraYaw;
    yaw = float(double(yaw) + double(x - centreX) / width * 360.0);
    while (yaw > 360.0f) yaw = float(double(yaw) - 360.0);
    while (yaw < 0.0f) yaw = float(double(yaw) + 360.0);

    float& pitch = camera.cameraPitch;
    pitch = float(double(pitch) + double(y - centreY) / height * 360.0);
    if (pitch >= 90.0f) pitch = 90.0f;
    if (pitch <= -90.0f) pitch = -90.0f;

    return {true, centreX, centreY};
}
