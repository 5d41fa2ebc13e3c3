#include "app/desktop/gamepad.h"

#include <SDL.h>


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

PadReading readGamepad(Gamepad& pad)
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
    static constexpr struct {
        int code;
        SDL_GameControllerButton button;
    } buttons[] = {
        {padA, SDL_CONTROLLER_BUTTON_A},
        {padB, SDL_CONTROLLER_BUTTON_B},
        {padX, SDL_CONTROLLER_BUTTON_X},
        {padY, SDL_CONTROLLER_BUTTON_Y},
        {padBack, SDL_CONTROLLER_BUTTON_BACK},
        {padStart, SDL_CONTROLLER_BUTTON_START},
        {padLeftShoulder, SDL_CONTROLLER_BUTTON_LEFTSHOULDER},
        {padRightShoulder, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER},
        {padLeftStick, SDL_CONTROLLER_BUTTON_LEFTSTICK},
        {padRightStick, SDL_CONTROLLER_BUTTON_RIGHTSTICK},
        {padUp, SDL_CONTROLLER_BUTTON_DPAD_UP},
        {padDown, SDL_CONTROLLER_BUTTON_DPAD_DOWN},
        {padLeft, SDL_CONTROLLER_BUTTON_DPAD_LEFT},
        {padRight, SDL_CONTROLLER_BUTTON_DPAD_RIGHT},
    };
    PadReading now;
    for (const auto& b : buttons) {
        if (button(c, b.button)) now.buttons |= 1u << b.code;
    }
    now.leftX = axis(c, SDL_CONTROLLER_AXIS_LEFTX);
    now.leftY = axis(c, SDL_CONTROLLER_AXIS_LEFTY);
    now.rightX = axis(c, SDL_CONTROLLER_AXIS_RIGHTX);
    now.rightY = axis(c, SDL_CONTROLLER_AXIS_RIGHTY);
    return now;
}

void stopGamepads(Gamepad& pad)
{
    if (pad.controller) SDL_GameControllerClose(pad.controller);
    pad.controller = nullptr;
    if (SDL_WasInit(SDL_INIT_GAMECONTROLLER)) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}
