// The gamepad through SDL's virtual joystick: nothing without one; with one
// each of its buttons read as the pad's button of that name, and its stick,
// buttons and shoulders, through the pad's own bindings, act as the keys of
// their actions.

#include <GL/freeglut.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include "app/desktop/gamepad.h"
#include "app/play/play.h"

namespace {

class GamepadTest : public ::testing::Test {
protected:
    Gamepad pad;
    unsigned lastActions = 0;
    SDL_Joystick* stick = nullptr;
    int device = -1;

    void SetUp() override { ASSERT_TRUE(startGamepads()) << SDL_GetError(); }
    void TearDown() override
    {
        if (stick) SDL_JoystickClose(stick);
        if (device >= 0) SDL_JoystickDetachVirtual(device);
        stopGamepads(pad);
    }
    void plugIn()
    {
        device = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                           SDL_CONTROLLER_BUTTON_MAX, 0);
        ASSERT_GE(device, 0) << SDL_GetError();
        stick = SDL_JoystickOpen(device);
        ASSERT_NE(stick, nullptr) << SDL_GetError();
    }
    // The pad read as the game reads it each tick, acted on.
    void follow(Play& play)
    {
        const unsigned now = padActions({}, padInputs(readGamepad(pad)));
        for (const PadChange& change : padChanges(lastActions, now)) {
            if (change.down) {
                pressAction(play, change.action);
            } else {
                releaseAction(play, change.action);
            }
        }
        lastActions = now;
    }
};

TEST_F(GamepadTest, NoPadReadsAsNothingHeld)
{
    EXPECT_EQ(readGamepad(pad), PadReading{});
    EXPECT_EQ(pad.controller, nullptr);
}

TEST_F(GamepadTest, ThePadPlaysTheGameTheKeysPlay)
{
    plugIn();
    Play byPad = startPlay(newScriptGame());
    Play byKeys = startPlay(newScriptGame());
    auto tick = [&](int n) {
        for (int i = 0; i < n; ++i) {
            follow(byPad);
            advanceTick(byPad.game, byPad.input.controls);
            advanceTick(byKeys.game, byKeys.input.controls);
        }
    };

    SDL_JoystickSetVirtualAxis(stick, SDL_CONTROLLER_AXIS_LEFTY, -32768);
    pressPlayKey(byKeys, {}, {true, GLUT_KEY_UP}, 0);
    tick(20);
    EXPECT_TRUE(byPad.input.controls.moveForward) << "the left stick pushed up is the up arrow";

    SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_A, 1);
    pressPlayKey(byKeys, {}, {false, 13}, 0);
    tick(5);
    SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_A, 0);
    SDL_JoystickSetVirtualAxis(stick, SDL_CONTROLLER_AXIS_LEFTY, 0);
    SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 1);
    releasePlayKey(byKeys, {}, {false, 13});
    releasePlayKey(byKeys, {}, {true, GLUT_KEY_UP});
    pressPlayKey(byKeys, {}, {true, GLUT_KEY_RIGHT}, 0);
    tick(30);
    SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 0);
    releasePlayKey(byKeys, {}, {true, GLUT_KEY_RIGHT});
    tick(1);
    EXPECT_EQ(byPad.game, byKeys.game);
    EXPECT_EQ(byPad.input.controls, Controls{});

    SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, 1);
    follow(byPad);
    EXPECT_EQ(byPad.game.camera.viewQuadrant, 1) << "a shoulder is a quarter turn";
    follow(byPad);
    EXPECT_EQ(byPad.game.camera.viewQuadrant, 1) << "once for each press";
    SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, 0);
    SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_LEFTSHOULDER, 1);
    follow(byPad);
    EXPECT_EQ(byPad.game.camera.viewQuadrant, 0);

    SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_START, 1);
    follow(byPad);
    EXPECT_TRUE(byPad.paused) << "Start pauses";

    SDL_JoystickSetVirtualAxis(stick, SDL_CONTROLLER_AXIS_RIGHTX, 32767);
    EXPECT_GT(stickLook(readGamepad(pad).rightX), 0) << "the right stick looks right";
}

TEST_F(GamepadTest, EachButtonReadsAsThePadsButtonOfItsName)
{
    plugIn();
    const struct {
        SDL_GameControllerButton sdl;
        int code;
    } cases[] = {
        {SDL_CONTROLLER_BUTTON_A, padA}, {SDL_CONTROLLER_BUTTON_B, padB}, {SDL_CONTROLLER_BUTTON_X, padX},
        {SDL_CONTROLLER_BUTTON_Y, padY}, {SDL_CONTROLLER_BUTTON_BACK, padBack}, {SDL_CONTROLLER_BUTTON_START, padStart},
        {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, padLeftShoulder}, {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, padRightShoulder},
        {SDL_CONTROLLER_BUTTON_LEFTSTICK, padLeftStick}, {SDL_CONTROLLER_BUTTON_RIGHTSTICK, padRightStick},
        {SDL_CONTROLLER_BUTTON_DPAD_UP, padUp}, {SDL_CONTROLLER_BUTTON_DPAD_DOWN, padDown},
        {SDL_CONTROLLER_BUTTON_DPAD_LEFT, padLeft}, {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, padRight},
        {SDL_CONTROLLER_BUTTON_GUIDE, -1},
    };
    for (const auto& c : cases) {
        SDL_JoystickSetVirtualButton(stick, c.sdl, 1);
        EXPECT_EQ(readGamepad(pad).buttons, c.code < 0 ? 0u : 1u << c.code) << c.code;
        SDL_JoystickSetVirtualButton(stick, c.sdl, 0);
    }
}

TEST_F(GamepadTest, APadPulledOutLetsEverythingGo)
{
    plugIn();
    SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_DPAD_UP, 1);
    Play play = startPlay(newScriptGame());
    follow(play);
    ASSERT_TRUE(play.input.controls.moveForward);
    SDL_JoystickClose(stick);
    stick = nullptr;
    ASSERT_EQ(SDL_JoystickDetachVirtual(device), 0);
    device = -1;
    follow(play);
    EXPECT_FALSE(play.input.controls.moveForward);
    EXPECT_EQ(pad.controller, nullptr);
}

}  // namespace
