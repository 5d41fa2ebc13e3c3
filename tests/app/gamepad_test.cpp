// The gamepad through SDL's virtual joystick: nothing without one; with one
// its stick, buttons and shoulders act as the keys of their actions.

#include <GL/freeglut.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include "app/desktop/gamepad.h"
#include "app/play/play.h"

namespace {

class GamepadTest : public ::testing::Test {
protected:
    Gamepad pad;
    PadReading last;
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
        const PadReading now = readGamepad(pad);
        for (const PadChange& change : padChanges(last, now)) {
            if (change.down) {
                pressAction(play, change.action);
            } else {
                releaseAction(play, change.action);
            }
        }
        last = now;
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
    EXPECT_GT(readGamepad(pad).lookX, 0) << "the right stick looks right";
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
