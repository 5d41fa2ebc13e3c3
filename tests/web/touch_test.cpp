// The touch controls make the calls keys and mouse look make: the stick's
// arrows as a player would press them, the look drag as pointer moves.

#include <gtest/gtest.h>

#include "app/input/key_codes.h"
#include "app/web/touch.h"

namespace {

TEST(Touch, StickDirections)
{
    struct Case {
        float dx, dy;
        int keys;
    };
    const Case cases[] = {
        {0, 0, 0},        {11, 0, 0},        {0, -11.9f, 0},     {40, 0, stickRight},
        {0, -40, stickUp}, {-40, 0, stickLeft}, {0, 40, stickDown}, {30, -30, stickUp | stickRight},
        {-30, 30, stickDown | stickLeft}, {40, -15, stickRight}, {40, -18, stickUp | stickRight},
        {-15, -40, stickUp}, {-18, -40, stickUp | stickLeft}, {40, 15, stickRight}, {40, 18, stickDown | stickRight},
    };
    for (const Case& c : cases) EXPECT_EQ(stickKeysOf(c.dx, c.dy), c.keys) << c.dx << ", " << c.dy;
}

std::vector<std::pair<int, bool>> keysOf(const std::vector<TouchCall>& calls)
{
    std::vector<std::pair<int, bool>> keys;
    for (const TouchCall& call : calls) {
        EXPECT_EQ(call.kind, TouchCall::Key);
        EXPECT_TRUE(call.key.special);
        keys.push_back({call.key.code, call.down});
    }
    return keys;
}

// The stick stays where the thumb landed; a turn from up-left to up-right
// releases left before it presses right, and lifting releases all.
TEST(Touch, StickHoldsArrowsLikeKeys)
{
    TouchControls c;
    c.width = 800;
    c.height = 400;
    using Keys = std::vector<std::pair<int, bool>>;
    EXPECT_TRUE(touchStart(c, 7, 100, 300, false, false).empty());
    EXPECT_EQ(keysOf(touchMove(c, 7, 70, 270)), (Keys{{keyUp, true}, {keyLeft, true}}));
    EXPECT_EQ(keysOf(touchMove(c, 7, 65, 265)), Keys{});
    EXPECT_EQ(keysOf(touchMove(c, 7, 130, 270)), (Keys{{keyLeft, false}, {keyRight, true}}));
    // Back in the middle: nothing held, though the stick is.
    EXPECT_EQ(keysOf(touchMove(c, 7, 105, 295)), (Keys{{keyUp, false}, {keyRight, false}}));
    EXPECT_TRUE(stickPicture(c).shown);
    EXPECT_EQ(keysOf(touchMove(c, 7, 100, 350)), (Keys{{keyDown, true}}));
    EXPECT_EQ(keysOf(touchEnd(c, 7, 100, 350)), (Keys{{keyDown, false}}));
    EXPECT_FALSE(stickPicture(c).shown);
    // A new thumb makes a new stick where it lands.
    touchStart(c, 8, 300, 100, false, false);
    EXPECT_EQ(stickPicture(c).originX, 300);
    EXPECT_EQ(keysOf(touchMove(c, 8, 300, 130)), (Keys{{keyDown, true}}));
}

// Stick and look at once: each touch keeps its own part, a second thumb
// on the same half is ignored, and the look drag turns mouse look on first.
TEST(Touch, StickAndLookTogether)
{
    TouchControls c;
    c.width = 800;
    c.height = 400;
    touchStart(c, 1, 100, 200, false, false);
    const std::vector<TouchCall> on = touchStart(c, 2, 600, 200, false, false);
    ASSERT_EQ(on.size(), 1u);
    EXPECT_EQ(on[0].kind, TouchCall::LookOn);
    EXPECT_TRUE(touchStart(c, 3, 700, 100, false, true).empty());
    EXPECT_TRUE(touchStart(c, 4, 50, 100, false, true).empty());
    EXPECT_TRUE(touchMove(c, 3, 750, 100).empty());

    // Moves in whole pixels; the fractions left over are not lost.
    int turned = 0;
    for (int i = 1; i <= 10; ++i) {
        for (const TouchCall& call : touchMove(c, 2, 600 + 0.3f * i, 200)) {
            ASSERT_EQ(call.kind, TouchCall::Look);
            EXPECT_EQ(call.y, 0);
            turned += call.x;
        }
    }
    EXPECT_EQ(turned, 3);
    EXPECT_EQ(keysOf(touchMove(c, 1, 100, 150)), (std::vector<std::pair<int, bool>>{{keyUp, true}}));
    const std::vector<TouchCall> last = touchEnd(c, 2, 610, 190);
    ASSERT_EQ(last.size(), 1u);
    EXPECT_EQ(last[0].x, 7);
    EXPECT_EQ(last[0].y, -10);
    EXPECT_TRUE(touchMove(c, 2, 650, 190).empty());
}

// With the menu open a touch points at it and taps where it lifts, on
// either half.
TEST(Touch, MenuTaps)
{
    TouchControls c;
    c.width = 800;
    c.height = 400;
    const std::vector<TouchCall> down = touchStart(c, 5, 120.4f, 80.6f, true, false);
    ASSERT_EQ(down.size(), 1u);
    EXPECT_EQ(down[0].kind, TouchCall::Hover);
    EXPECT_EQ(down[0].x, 120);
    EXPECT_EQ(down[0].y, 81);
    EXPECT_TRUE(touchStart(c, 6, 600, 80, true, false).empty());
    const std::vector<TouchCall> up = touchEnd(c, 5, 130, 90);
    ASSERT_EQ(up.size(), 1u);
    EXPECT_EQ(up[0].kind, TouchCall::Tap);
    EXPECT_EQ(up[0].x, 130);
    EXPECT_FALSE(stickPicture(c).shown);
}

}  // namespace
