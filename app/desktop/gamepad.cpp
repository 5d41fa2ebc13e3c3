#include "app/desktop/gamepad.h"

#include <SDL.h>

#include <cstdlib>

namespace {

bool button(SDL_GameController* c, SDL_GameControllerButton b)
{
    return SDL_GameControllerGetButton(c, b) != 0;
}

int axis(SDL_GameController* c, SDL_GameControllerAxis a)
{
    return SDL_GameControllerGetAxis(c, a);
}

}  // namespace

bool startGamepads()
{
    // No SDL window ever has the focus: the GLUT window does.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    // The game's own handlers end it (app/signals.cpp).
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    return SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
}

PadReading readGamepad(Gamepad& pad, int deadZonePercent)
{
    if (!SDL_WasInit(SDL_INIT_GAMECONTROLLER)) return {};
    SDL_GameControllerUpdate();
    if (pad.controller && !SDL_GameControllerGetAttached(pad.controller)) {
        SDL_GameControllerClose(pad.controller);
        pad.controller = nullptr;
    }
    for (int i = 0; !pad.controller && i < SDL_NumJoysticks(); ++i) {
        if (SDL_IsGameController(i)) pad.controller = SDL_GameControllerOpen(i);
    }
    SDL_GameController* c = pad.controller;
    if (!c) return {};
    PadReading now;
    const int x = axis(c, SDL_CONTROLLER_AXIS_LEFTX);
    const int y = axis(c, SDL_CONTROLLER_AXIS_LEFTY);
    now.forward = button(c, SDL_CONTROLLER_BUTTON_DPAD_UP) || stickPushed(y, -1, deadZonePercent);
    now.back = button(c, SDL_CONTROLLER_BUTTON_DPAD_DOWN) || stickPushed(y, 1, deadZonePercent);
    now.left = button(c, SDL_CONTROLLER_BUTTON_DPAD_LEFT) || stickPushed(x, -1, deadZonePercent);
    now.right = button(c, SDL_CONTROLLER_BUTTON_DPAD_RIGHT) || stickPushed(x, 1, deadZonePercent);
    now.jump = button(c, SDL_CONTROLLER_BUTTON_A);
    now.turnLeft = button(c, SDL_CONTROLLER_BUTTON_LEFTSHOULDER);
    now.turnRight = button(c, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
    now.pause = button(c, SDL_CONTROLLER_BUTTON_START);
    now.mouseLook = button(c, SDL_CONTROLLER_BUTTON_BACK);
    now.cancel = button(c, SDL_CONTROLLER_BUTTON_B);
    now.lookX = stickLook(axis(c, SDL_CONTROLLER_AXIS_RIGHTX), deadZonePercent);
    now.lookY = stickLook(axis(c, SDL_CONTROLLER_AXIS_RIGHTY), deadZonePercent);
    return now;
}

void stopGamepads(Gamepad& pad)
{
    if (pad.controller) SDL_GameControllerClose(pad.controller);
    pad.controller = nullptr;
    if (SDL_WasInit(SDL_INIT_GAMECONTROLLER)) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}
