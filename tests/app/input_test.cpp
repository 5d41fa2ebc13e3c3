#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <unistd.h>
#include <tuple>
#include <utility>
#include <vector>

#include "app/input.h"
#include "app/tick.h"
#include "assets/sound.h"
#include "sim/ball.h"
#include "sim/game_state.h"

namespace {

int heldModifiers = 0;
std::vector<std::pair<int, int>> warps;

int fakeModifiers() { return heldModifiers; }
void recordWarp(int x, int y) { warps.emplace_back(x, y); }

bool* const moveRing[4] = {&moveForward, &moveRight, &moveBack, &moveLeft};
const int arrows[4] = {GLUT_KEY_UP, GLUT_KEY_RIGHT, GLUT_KEY_DOWN, GLUT_KEY_LEFT};

int heldFlagCount()
{
    int count = 0;
    for (bool* flag : moveRing) count += *flag ? 1 : 0;
    return count;
}

// Everything a key or the mouse may change, to show that some input changed
// none of it.
auto inputState()
{
    return std::make_tuple(moveForward, moveRight, moveBack, moveLeft, jumpHeld, int(jumpKey),
                           jumpKeyIsZ, mouseLookDisabled, firstPersonView, viewQuadrant, cameraYaw,
                           cameraPitch, warps.size());
}

void pressSpecial(int key, int modifiers = 0)
{
    heldModifiers = modifiers;
    onSpecialDown(key, 0, 0);
    heldModifiers = 0;
}

class InputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        moveForward = moveRight = moveBack = moveLeft = false;
        jumpHeld = false;
        jumpKey = 13;
        jumpKeyIsZ = false;
        mouseLookDisabled = true;
        firstPersonView = false;
        viewQuadrant = 0;
        cameraYaw = 0.0f;
        cameraPitch = 0.0f;
        windowWidth = 1280;
        windowHeight = 1024;
        heldModifiers = 0;
        warps.clear();
        readModifiers = fakeModifiers;
        warpPointer = recordWarp;
    }
};

TEST_F(InputTest, ArrowsAreTurnedByTheViewQuadrantAndReleaseClearsTheSameFlag)
{
    for (int quadrant = 0; quadrant < 4; ++quadrant) {
        for (int arrow = 0; arrow < 4; ++arrow) {
            viewQuadrant = quadrant;
            pressSpecial(arrows[arrow]);
            EXPECT_TRUE(*moveRing[(arrow + quadrant) % 4]) << "quadrant " << quadrant;
            EXPECT_EQ(heldFlagCount(), 1);
            onSpecialUp(arrows[arrow], 0, 0);
            EXPECT_EQ(heldFlagCount(), 0) << "quadrant " << quadrant << " arrow " << arrow;
        }
    }
}

TEST_F(InputTest, ShiftAloneTurnsTheViewByQuarterTurns)
{
    viewQuadrant = 3;
    pressSpecial(GLUT_KEY_RIGHT, GLUT_ACTIVE_SHIFT);
    EXPECT_EQ(viewQuadrant, 0);
    pressSpecial(GLUT_KEY_RIGHT, GLUT_ACTIVE_SHIFT);
    EXPECT_EQ(viewQuadrant, 1);
    pressSpecial(GLUT_KEY_DOWN, GLUT_ACTIVE_SHIFT);
    EXPECT_EQ(viewQuadrant, 3);
    viewQuadrant = 0;
    pressSpecial(GLUT_KEY_LEFT, GLUT_ACTIVE_SHIFT);
    EXPECT_EQ(viewQuadrant, 3);
    EXPECT_EQ(heldFlagCount(), 0);
    // The turning key's release is that of a plain arrow and finds nothing set.
    onSpecialUp(GLUT_KEY_LEFT, 0, 0);
    EXPECT_EQ(heldFlagCount(), 0);
}

TEST_F(InputTest, ShiftWithAnArrowHeldIsAPlainArrow)
{
    pressSpecial(GLUT_KEY_UP);
    pressSpecial(GLUT_KEY_RIGHT, GLUT_ACTIVE_SHIFT);
    EXPECT_EQ(viewQuadrant, 0);
    EXPECT_TRUE(moveForward);
    EXPECT_TRUE(moveRight);
    onSpecialUp(GLUT_KEY_UP, 0, 0);
    onSpecialUp(GLUT_KEY_RIGHT, 0, 0);
    EXPECT_EQ(heldFlagCount(), 0);
}

TEST_F(InputTest, ShiftWithCtrlOrAltIsAPlainArrow)
{
    pressSpecial(GLUT_KEY_LEFT, GLUT_ACTIVE_SHIFT | GLUT_ACTIVE_CTRL);
    EXPECT_EQ(viewQuadrant, 0);
    EXPECT_TRUE(moveLeft);
    onSpecialUp(GLUT_KEY_LEFT, 0, 0);
    pressSpecial(GLUT_KEY_DOWN, GLUT_ACTIVE_SHIFT | GLUT_ACTIVE_ALT);
    EXPECT_EQ(viewQuadrant, 0);
    EXPECT_TRUE(moveBack);
}

TEST_F(InputTest, F1SwitchesTheJumpKeyBetweenEnterAndZ)
{
    onKeyDown('z', 0, 0);
    EXPECT_FALSE(jumpHeld);
    pressSpecial(GLUT_KEY_F1);
    EXPECT_TRUE(jumpKeyIsZ);
    EXPECT_EQ(jumpKey, 122);
    onKeyDown(13, 0, 0);
    EXPECT_FALSE(jumpHeld);
    onKeyDown('z', 0, 0);
    EXPECT_TRUE(jumpHeld);
    onKeyUp('z', 0, 0);
    EXPECT_FALSE(jumpHeld);
    pressSpecial(GLUT_KEY_F1);
    EXPECT_FALSE(jumpKeyIsZ);
    EXPECT_EQ(jumpKey, 13);
    onKeyDown(13, 0, 0);
    EXPECT_TRUE(jumpHeld);
    onKeyUp(13, 0, 0);
    EXPECT_FALSE(jumpHeld);
}

TEST_F(InputTest, F1WhileTheOldJumpKeyIsHeldKeepsJumpingUntilTheNewKeyCycles)
{
    onKeyDown(13, 0, 0);
    pressSpecial(GLUT_KEY_F1);
    onKeyUp(13, 0, 0);
    EXPECT_TRUE(jumpHeld);
    onKeyDown('z', 0, 0);
    EXPECT_TRUE(jumpHeld);
    onKeyUp('z', 0, 0);
    EXPECT_FALSE(jumpHeld);
}

TEST_F(InputTest, KeysOutsideTheMapChangeNothing)
{
    // Jump on "z" and a turned camera, so that an upper-case letter taken
    // for its lower case would show.
    pressSpecial(GLUT_KEY_F1);
    cameraYaw = 30.0f;
    cameraPitch = 20.0f;
    struct Case {
        const char* what;
        void (*press)();
    };
    const Case cases[] = {
        {"Shift+Up", [] { pressSpecial(GLUT_KEY_UP, GLUT_ACTIVE_SHIFT); }},
        {"Shift+F1", [] { pressSpecial(GLUT_KEY_F1, GLUT_ACTIVE_SHIFT); }},
        {"Shift+Page Up", [] { pressSpecial(GLUT_KEY_PAGE_UP, GLUT_ACTIVE_SHIFT); }},
        {"F2", [] { pressSpecial(GLUT_KEY_F2); }},
        {"Home released", [] { onSpecialUp(GLUT_KEY_HOME, 0, 0); }},
        {"x", [] { onKeyDown('x', 0, 0); }},
        {"space", [] { onKeyDown(' ', 0, 0); }},
        {"Z", [] { onKeyDown('Z', 0, 0); }},
        {"C", [] { onKeyDown('C', 0, 0); }},
        {"L", [] { onKeyDown('L', 0, 0); }},
        {"P", [] { onKeyDown('P', 0, 0); }},
        {"Esc released", [] { onKeyUp(27, 0, 0); }},
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
    viewQuadrant = 2;
    cameraYaw = 45.0f;
    cameraPitch = -30.0f;
    onKeyDown('c', 0, 0);
    EXPECT_TRUE(firstPersonView);
    EXPECT_EQ(cameraPitch, 0.0f);
    EXPECT_EQ(cameraYaw, 45.0f);
    onKeyUp('c', 0, 0);
    EXPECT_TRUE(firstPersonView);
    onKeyDown('c', 0, 0);
    EXPECT_FALSE(firstPersonView);

    cameraPitch = 12.0f;
    onKeyDown('l', 0, 0);
    EXPECT_EQ(cameraYaw, 0.0f);
    EXPECT_EQ(cameraPitch, 0.0f);
    EXPECT_EQ(viewQuadrant, 2);
    EXPECT_FALSE(firstPersonView);

    onKeyDown('p', 0, 0);
    EXPECT_FALSE(mouseLookDisabled);
    onKeyDown('p', 0, 0);
    EXPECT_TRUE(mouseLookDisabled);
}

TEST_F(InputTest, MouseLookStartsDisabledAndOnlyRecentresThePointer)
{
    onMouseMove(900, 700);
    EXPECT_EQ(cameraYaw, 0.0f);
    EXPECT_EQ(cameraPitch, 0.0f);
    ASSERT_EQ(warps.size(), 1u);
    EXPECT_EQ(warps[0], std::make_pair(640, 512));
}

TEST_F(InputTest, MotionAtTheCentreIsOurOwnWarpAndIsIgnored)
{
    onMouseMove(640, 512);
    mouseLookDisabled = false;
    onMouseMove(640, 512);
    EXPECT_TRUE(warps.empty());
    EXPECT_EQ(cameraYaw, 0.0f);
    EXPECT_EQ(cameraPitch, 0.0f);
}

TEST_F(InputTest, MouseLookTurnsAQuarterPerQuarterScreenAndClampsThePitch)
{
    mouseLookDisabled = false;
    onMouseMove(960, 512);
    EXPECT_EQ(cameraYaw, 90.0f);
    EXPECT_EQ(cameraPitch, 0.0f);
    onMouseMove(641, 512);
    EXPECT_EQ(cameraYaw, 90.28125f);
    onMouseMove(640, 768);
    EXPECT_EQ(cameraPitch, 90.0f);
    onMouseMove(640, 600);
    EXPECT_EQ(cameraPitch, 90.0f);
    onMouseMove(640, 0);
    EXPECT_EQ(cameraPitch, -90.0f);
    onMouseMove(640, 511);
    EXPECT_EQ(cameraPitch, -90.0f);
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
    mouseLookDisabled = false;
    for (const Case& c : cases) {
        windowWidth = c.windowSide;
        windowHeight = c.windowSide;
        cameraYaw = c.yaw;
        onMouseMove(c.windowSide / 2 + c.pixels, c.windowSide / 2);
        EXPECT_FLOAT_EQ(cameraYaw, c.expected) << c.yaw << " moved by " << c.pixels;
    }
}

TEST_F(InputTest, MouseLookFollowsAWindowOfAnotherSize)
{
    windowWidth = 1920;
    windowHeight = 1080;
    onMouseMove(640, 512);
    ASSERT_EQ(warps.size(), 1u);
    EXPECT_EQ(warps[0], std::make_pair(960, 540));

    mouseLookDisabled = false;
    warps.clear();
    onMouseMove(960, 540);
    EXPECT_TRUE(warps.empty());
    onMouseMove(1440, 540);
    EXPECT_EQ(cameraYaw, 90.0f);
    onMouseMove(960, 540 + 135);
    EXPECT_EQ(cameraPitch, 45.0f);
    ASSERT_EQ(warps.size(), 2u);
    EXPECT_EQ(warps[1], std::make_pair(960, 540));
}

using InputDeathTest = InputTest;

// Runs at exit in the child: Esc must have let go of the sound system and
// the ball before ending the process.
void failUnlessReleased()
{
    if (soundSystem != nullptr || ball != nullptr) _exit(7);
}

void pressEscWithSoundRunning()
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    initSound();
    if (soundSystem == nullptr) _exit(8);
    std::atexit(failUnlessReleased);
    onKeyDown(27, 0, 0);
}

TEST_F(InputDeathTest, EscExitsWithCodeZeroInPlayAndOnTheEndScreen)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    Ball* const gameBall = ball;
    ball = new Ball{};
    EXPECT_EXIT(pressEscWithSoundRunning(), ::testing::ExitedWithCode(0), "");
    gameState = EndScreen;
    EXPECT_EXIT(pressEscWithSoundRunning(), ::testing::ExitedWithCode(0), "");
    gameState = Playing;
    delete ball;
    ball = gameBall;
}

}  // namespace
