// The page hands the game the key GLUT would: a binding, a recording or a
// replay then means the same key in the browser as on the desktop.

#include <gtest/gtest.h>

#include "app/input/key_codes.h"
#include "app/web/dom_keys.h"

namespace {

TEST(DomKeys, NamesAsGlutGivesThem)
{
    struct Case {
        const char* domKey;
        PlayerKey key;
    };
    const Case cases[] = {
        {"ArrowUp", {true, keyUp}},       {"ArrowDown", {true, keyDown}},
        {"ArrowLeft", {true, keyLeft}},   {"ArrowRight", {true, keyRight}},
        {"F1", {true, keyF1}},            {"F12", {true, keyF12}},
        {"PageUp", {true, keyPageUp}},    {"Insert", {true, keyInsert}},
        {"Enter", {false, keyEnter}},     {"Escape", {false, keyEscape}},
        {"Backspace", {false, 8}},        {"Tab", {false, 9}},
        {" ", {false, ' '}},              {"z", {false, 'z'}},
        {"Z", {false, 'Z'}},              {"~", {false, '~'}},
        {"5", {false, '5'}},
    };
    for (const Case& c : cases) {
        PlayerKey key{true, -1};
        ASSERT_TRUE(playerKeyOfDomKey(c.domKey, key)) << c.domKey;
        EXPECT_EQ(key, c.key) << c.domKey;
    }
}

// Keys the game has no code for are the browser's: modifiers alone, dead
// keys, letters outside ASCII, names that only look like ours.
TEST(DomKeys, KeysTheGameDoesNotKnow)
{
    for (const char* domKey : {"Shift", "Control", "Dead", "Unidentified", "", "é", "F13", "arrowup", "Enter ",
                               "ContextMenu"}) {
        PlayerKey key{true, 42};
        EXPECT_FALSE(playerKeyOfDomKey(domKey, key)) << domKey;
        EXPECT_EQ(key, (PlayerKey{true, 42})) << domKey;
    }
}

TEST(DomKeys, Modifiers)
{
    EXPECT_EQ(modifiersOf(false, false, false, false), 0);
    EXPECT_EQ(modifiersOf(true, false, false, false), modifierShift);
    EXPECT_EQ(modifiersOf(true, true, true, true), modifierShift | modifierCtrl | modifierAlt | modifierSuper);
    EXPECT_EQ(modifiersOf(false, false, true, false), modifierAlt);
}

}  // namespace
