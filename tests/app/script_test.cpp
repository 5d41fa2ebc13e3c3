// The script's spelling: every line a recording writes reads back as the
// same command, and what cannot be spelt changes nothing in the game.

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <string>

#include "app/script/script.h"

namespace {

TEST(Script, EverySpelledLineParsesBackToItsCommand)
{
    const ScriptCommand commands[] = {
        {ScriptKind::KeyDown, 13, 0, {}},
        {ScriptKind::KeyUp, 255, 0, {}},
        {ScriptKind::KeyDown, 0, 0, {}},
        {ScriptKind::SpecialDown, GLUT_KEY_LEFT, GLUT_ACTIVE_SHIFT, {}},
        {ScriptKind::SpecialDown, GLUT_KEY_F1, 0, {}},
        {ScriptKind::SpecialDown, GLUT_KEY_DOWN,
         GLUT_ACTIVE_SHIFT | GLUT_ACTIVE_CTRL | GLUT_ACTIVE_ALT | GLUT_ACTIVE_SUPER, {}},
        {ScriptKind::SpecialDown, GLUT_KEY_RIGHT, GLUT_ACTIVE_SUPER, {}},
        {ScriptKind::SpecialUp, GLUT_KEY_UP, 0, {}},
        {ScriptKind::Mouse, -3, 1023, {}},
        {ScriptKind::Window, 320, 240, {}},
        {ScriptKind::Tick, 1, 0, {}},
        {ScriptKind::Tick, 12345, 0, {}},
        {ScriptKind::Items, 0, 0, {}},
        {ScriptKind::Restart, 0, 0, {}},
        {ScriptKind::Shot, 0, 0, "/tmp/a.png"},
        {ScriptKind::Ghost, 0, 0, "best.replay"},
        {ScriptKind::GhostRows, 0, 0, {}},
    };
    for (const ScriptCommand& command : commands) {
        const std::string line = spellScriptLine(command);
        ScriptCommand back;
        bool empty = true;
        EXPECT_EQ(parseScriptLine(line, back, empty), "") << line;
        EXPECT_FALSE(empty) << line;
        EXPECT_EQ(back.kind, command.kind) << line;
        EXPECT_EQ(back.a, command.a) << line;
        EXPECT_EQ(back.b, command.b) << line;
        EXPECT_EQ(back.path, command.path) << line;
    }
    EXPECT_EQ(spellScriptLine({ScriptKind::SpecialDown, GLUT_KEY_LEFT, GLUT_ACTIVE_SHIFT, {}}),
              "special down LEFT shift");
    EXPECT_EQ(spellScriptLine({ScriptKind::Tick, 1, 0, {}}), "tick");
}

TEST(Script, KeysTheScriptCannotNameChangeNothing)
{
    // A recording leaves these out: they must be no-ops in the game too.
    for (int key : {GLUT_KEY_F2, GLUT_KEY_F12, GLUT_KEY_HOME, GLUT_KEY_PAGE_UP, GLUT_KEY_INSERT,
                    GLUT_KEY_SHIFT_L, GLUT_KEY_CTRL_R, GLUT_KEY_ALT_L}) {
        for (int modifiers : {0, GLUT_ACTIVE_SHIFT, GLUT_ACTIVE_CTRL}) {
            EXPECT_EQ(spellScriptLine({ScriptKind::SpecialDown, key, modifiers, {}}), "");
            for (bool arrowHeld : {false, true}) {
                Input input;
                Camera camera;
                input.controls.moveLeft = arrowHeld;
                pressSpecial(input, camera, key, modifiers);
                releaseSpecial(input, camera, key);
                EXPECT_EQ(input.controls.moveLeft, arrowHeld) << key;
                EXPECT_FALSE(input.controls.moveForward || input.controls.moveRight ||
                             input.controls.moveBack || input.controls.jumpHeld) << key;
                EXPECT_EQ(camera.viewQuadrant, 0) << key;
                EXPECT_EQ(input.jumpKey, 13) << key;
            }
        }
    }
}

TEST(Script, AWindowLineScalesTheMouseLinesAfterIt)
{
    // A quarter of the width right of the centre is a quarter turn, in
    // whatever size the mouse lines were made.
    for (const ScriptScreen size : {ScriptScreen{}, ScriptScreen{800, 600}, ScriptScreen{333, 777}}) {
        Input input;
        Camera camera;
        ScriptScreen screen;
        input.mouseLookDisabled = false;
        applyScriptInput({ScriptKind::Window, size.width, size.height, {}}, input, camera, screen);
        applyScriptInput({ScriptKind::Mouse, size.width / 2 + size.width / 4, size.height / 2, {}}, input,
                         camera, screen);
        EXPECT_NEAR(camera.cameraYaw, 90.0f, 360.0f / float(size.width)) << size.width;
        EXPECT_EQ(camera.cameraPitch, 0.0f);
    }
}

}  // namespace
