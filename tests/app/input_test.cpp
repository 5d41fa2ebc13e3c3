// The key map and mouse look, through the translation every caller uses.

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <utility>
#include <vector>

#include "app/input/input.h"
#include "app/desktop/window.h"

namespace {

const int arrows[4] = {GLUT_KEY_UP, GLUT_KEY_RIGHT, GLUT_KEY_DOWN, GLUT_KEY_LEFT};

class InputTest : public ::testing::Test {
protected:
    Input input;
    Camera camera;
    WindowSize window;
    std::vector<std::pair<int, int>> warps;

    bool* moveRing(int i)
    {
        Controls& c = input.controls;
        bool* const ring[4] = {&c.moveForward, &c.moveRight, &c.moveBack, &c.moveLeft};
        return ring[i];
    }
    int heldFlagCount()
    {
        int count = 0;
        for (int i = 0; i < 4; ++i) count += *moveRing(i) ? 1 : 0;
        return count;
    }
    // Everything a key or the mouse may change, to show that some input
    // changed none of it.
    auto inputState()
    {
        const Controls& c = input.controls;
        return std::make_tuple(c.moveForward, c.moveRight, c.moveBack, c.moveLeft, c.jumpHeld,
                               int(input.jumpKey), input.jumpKeyIsZ, input.mouseLookDisabled,
                               camera.firstPersonView, camera.viewQuadrant, camera.cameraYaw,
                               camera.cameraPitch, warps.size());
    }

    bool keyDown(unsigned char key) { return pressKey(input, camera, key); }
    void keyUp(unsigned char key) { releaseKey(input, key); }
    void special(int key, int modifiers = 0) { pressSpecial(input, camera, key, modifiers); }
    void specialUp(int key) { releaseSpecial(input, camera, key); }
    void mouse(int x, int y)
    {
        const PointerWarp warp = movePointer(input, camera, x, y, window.width, window.height);
        if (warp.warp) warps.emplace_back(warp.x, warp.y);
    }
};

TEST_F(InputTest, ArrowsAreTurnedByTheViewQuadrantAndReleaseClearsTheSameFlag)
{
    for (int quadrant = 0; quadrant < 4; ++quadrant) {
        for (int arrow = 0; arrow < 4; ++arrow) {
            camera.viewQuadrant = quadrant;
            special(arrows[arrow]);
            EXPECT_TRUE(*moveRing((arrow + quadrant) % 4)) << "quadrant " << quadrant;
            EXPECT_EQ(heldFlagCount(), 1);
            specialUp(arrows[arrow]);
            EXPECT_EQ(heldFlagCount(), 0) << "quadrant " << quadrant << " arrow " << arrow;
        }
    }
}

TEST_F(InputTest, ShiftAloneTurnsTheViewByQuarterTurns)
{
    camera.viewQuadrant = 3;
    special(GLUT_KEY_RIGHT, GLUT_ACTIVE_SHIFT);
    EXPECT_EQ(camera.viewQuadrant, 0);
    special(GLUT_KEY_RIGHT, GLUT_ACTIVE_SHIFT);
    EXPECT_EQ(camera.viewQuadrant, 1);
    special(GLUT_KEY_DOWN, GLUT_ACTIVE_SHIFT);
    EXPECT_EQ(camera.viewQuadrant, 3);
    camera.viewQuadrant = 0;
    special(GLUT_KEY_LEFT, GLUT_ACTIVE_SHIFT);
    EXPECT_EQ(camera.viewQuadrant, 3);
    EXPECT_EQ(heldFlagCount(), 0);
    // The turning key's release is that of a plain arrow and finds nothing set.
    specialUp(GLUT_KEY_LEFT);
    EXPECT_EQ(heldFlagCount(), 0);
}

TEST_F(InputTest, ShiftWithAnArrowHeldIsAPlainArrow)
{
    special(GLUT_KEY_UP);
    special(GLUT_KEY_RIGHT, GLUT_ACTIVE_SHIFT);
    EXPECT_EQ(camera.viewQuadrant, 0);
    EXPECT_TRUE(input.controls.moveForward);
    EXPECT_TRUE(input.controls.moveRight);
    specialUp(GLUT_KEY_UP);
    specialUp(GLUT_KEY_RIGHT);
    EXPECT_EQ(heldFlagCount(), 0);
}

TEST_F(InputTest, ShiftWithCtrlOrAltIsAPlainArrow)
{
    special(GLUT_KEY_LEFT, GLUT_ACTIVE_SHIFT | GLUT_ACTIVE_CTRL);
    EXPECT_EQ(camera.viewQuadrant, 0);
    EXPECT_TRUE(input.controls.moveLeft);
    specialUp(GLUT_KEY_LEFT);
    special(GLUT_KEY_DOWN, GLUT_ACTIVE_SHIFT | GLUT_ACTIVE_ALT);
    EXPECT_EQ(camera.viewQuadrant, 0);
    EXPECT_TRUE(input.controls.moveBack);
}

TEST_F(InputTest, F1SwitchesTheJumpKeyBetweenEnterAndZ)
{
    keyDown('z');
    EXPECT_FALSE(input.controls.jumpHeld);
    special(GLUT_KEY_F1);
    EXPECT_TRUE(input.jumpKeyIsZ);
    EXPECT_EQ(input.jumpKey, 122);
    keyDown(13);
    EXPECT_FALSE(input.controls.jumpHeld);
    keyDown('z');
    EXPECT_TRUE(input.controls.jumpHeld);
    keyUp('z');
    EXPECT_FALSE(input.controls.jumpHeld);
    special(GLUT_KEY_F1);
    EXPECT_FALSE(input.jumpKeyIsZ);
    EXPECT_EQ(input.jumpKey, 13);
    keyDown(13);
    EXPECT_TRUE(input.controls.jumpHeld);
    keyUp(13);
    EXPECT_FALSE(input.controls.jumpHeld);
}

TEST_F(InputTest, F1WhileTheOldJumpKeyIsHeldKeepsJumpingUntilTheNewKeyCycles)
{
    keyDown(13);
    special(GLUT_KEY_F1);
    keyUp(13);
    EXPECT_TRUE(input.controls.jumpHeld);
    keyDown('z');
    EXPECT_TRUE(input.controls.jumpHeld);
    keyUp('z');
    EXPECT_FALSE(input.controls.jumpHeld);
}

TEST_F(InputTest, KeysOutsideTheMapChangeNothing)
{
    // Jump on "z" and a turned camera, so that an upper-case letter taken
    // for its lower case would show.
    special(GLUT_KEY_F1);
    camera.cameraYaw = 30.0f;
    camera.cameraPitch = 20.0f;
    struct Case {
        const char* what;
        std::function<void()> press;
    };
    const Case cases[] = {
        {"Shift+Up", [this] { special(GLUT_KEY_UP, GLUT_ACTIVE_SHIFT); }},
        {"Shift+F1", [this] { special(GLUT_KEY_F1, GLUT_ACTIVE_SHIFT); }},
        {"Shift+Page Up", [this] { special(GLUT_KEY_PAGE_UP, GLUT_ACTIVE_SHIFT); }},
        {"F2", [this] { special(GLUT_KEY_F2); }},
        {"Home released", [this] { specialUp(GLUT_KEY_HOME); }},
        {"x", [this] { keyDown('x'); }},
        {"space", [this] { keyDown(' '); }},
        {"Z", [this] { keyDown('Z'); }},
        {"C", [this] { keyDown('C'); }},
        {"L", [this] { keyDown('L'); }},
        {"P", [this] { keyDown('P'); }},
        {"Esc released", [this] { keyUp(27); }},
    };
    const auto before = inputState();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.press();
        EXPECT_EQ(inputState(), before);
    }
}

TEST_F(InputTest, CameraKeys)
{
    camera.viewQuadrant = 2;
    camera.cameraYaw = 45.0f;
    camera.cameraPitch = -30.0f;
    keyDown('c');
    EXPECT_TRUE(camera.firstPersonView);
    EXPECT_EQ(camera.cameraPitch, 0.0f);
    EXPECT_EQ(camera.cameraYaw, 45.0f);
    keyUp('c');
    EXPECT_TRUE(camera.firstPersonView);
    keyDown('c');
    EXPECT_FALSE(camera.firstPersonView);

    camera.cameraPitch = 12.0f;
    keyDown('l');
    EXPECT_EQ(camera.cameraYaw, 0.0f);
    EXPECT_EQ(camera.cameraPitch, 0.0f);
    EXPECT_EQ(camera.viewQuadrant, 2);
    EXPECT_FALSE(camera.firstPersonView);

    keyDown('p');
    EXPECT_FALSE(input.mouseLookDisabled);
    keyDown('p');
    EXPECT_TRUE(input.mouseLookDisabled);
}

TEST_F(InputTest, MouseLookStartsDisabledAndOnlyRecentresThePointer)
{
    mouse(900, 700);
    EXPECT_EQ(camera.cameraYaw, 0.0f);
    EXPECT_EQ(camera.cameraPitch, 0.0f);
    ASSERT_EQ(warps.size(), 1u);
    EXPECT_EQ(warps[0], std::make_pair(640, 512));
}

TEST_F(InputTest, MotionAtTheCentreIsOurOwnWarpAndIsIgnored)
{
    mouse(640, 512);
    input.mouseLookDisabled = false;
    mouse(640, 512);
    EXPECT_TRUE(warps.empty());
    EXPECT_EQ(camera.cameraYaw, 0.0f);
    EXPECT_EQ(camera.cameraPitch, 0.0f);
}

TEST_F(InputTest, MouseLookTurnsAQuarterPerQuarterScreenAndClampsThePitch)
{
    input.mouseLookDisabled = false;
    mouse(960, 512);
    EXPECT_EQ(camera.cameraYaw, 90.0f);
    EXPECT_EQ(camera.cameraPitch, 0.0f);
    mouse(641, 512);
    EXPECT_EQ(camera.cameraYaw, 90.28125f);
    mouse(640, 768);
    EXPECT_EQ(camera.cameraPitch, 90.0f);
    mouse(640, 600);
    EXPECT_EQ(camera.cameraPitch, 90.0f);
    mouse(640, 0);
    EXPECT_EQ(camera.cameraPitch, -90.0f);
    mouse(640, 511);
    EXPECT_EQ(camera.cameraPitch, -90.0f);
    EXPECT_EQ(warps.size(), 6u);
    for (const auto& warp : warps) EXPECT_EQ(warp, std::make_pair(640, 512));
}

TEST_F(InputTest, YawWrapsIntoZeroTo360)
{
    struct Case {
        int windowSide;  // 1280: 64 pixels are 18 degrees; 360: a degree a pixel
        float yaw;
        int pixels;
        float expected;
    };
    const Case cases[] = {
        {1280, 350.0f, 64, 8.0f},  {1280, 5.0f, -64, 347.0f}, {360, 350.0f, 20, 10.0f},
        {360, 5.0f, -10, 355.0f},  {360, 350.0f, 10, 360.0f},  // the ends themselves stay
        {360, 10.0f, -10, 0.0f},
    };
    input.mouseLookDisabled = false;
    for (const Case& c : cases) {
        window.width = c.windowSide;
        window.height = c.windowSide;
        camera.cameraYaw = c.yaw;
        mouse(c.windowSide / 2 + c.pixels, c.windowSide / 2);
        EXPECT_FLOAT_EQ(camera.cameraYaw, c.expected) << c.yaw << " moved by " << c.pixels;
    }
}

TEST_F(InputTest, MouseLookFollowsAWindowOfAnotherSize)
{
    window.width = 1920;
    window.height = 1080;
    mouse(640, 512);
    ASSERT_EQ(warps.size(), 1u);
    EXPECT_EQ(warps[0], std::make_pair(960, 540));

    input.mouseLookDisabled = false;
    warps.clear();
    mouse(960, 540);
    EXPECT_TRUE(warps.empty());
    mouse(1440, 540);
    EXPECT_EQ(camera.cameraYaw, 90.0f);
    mouse(960, 540 + 135);
    EXPECT_EQ(camera.cameraPitch, 45.0f);
    ASSERT_EQ(warps.size(), 2u);
    EXPECT_EQ(warps[1], std::make_pair(960, 540));
}

TEST_F(InputTest, EscAsksToQuitAndNoOtherKeyDoes)
{
    EXPECT_TRUE(keyDown(27));
    for (int key = 0; key < 256; ++key) {
        if (key != 27) {
            EXPECT_FALSE(keyDown(static_cast<unsigned char>(key))) << key;
        }
    }
}

}  // namespace
