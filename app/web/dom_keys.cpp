#include "app/web/dom_keys.h"

#include "app/input/key_codes.h"

namespace {

struct Named {
    std::string_view name;
    PlayerKey key;
};

// The DOM's names for the keys GLUT gives as special keys or as control
// characters.
constexpr Named namedKeys[] = {
    {"ArrowLeft", {true, keyLeft}},   {"ArrowUp", {true, keyUp}},
    {"ArrowRight", {true, keyRight}}, {"ArrowDown", {true, keyDown}},
    {"PageUp", {true, keyPageUp}},    {"PageDown", {true, keyPageDown}},
    {"Home", {true, keyHome}},        {"End", {true, keyEnd}},
    {"Insert", {true, keyInsert}},
    {"F1", {true, keyF1}},   {"F2", {true, keyF2}},   {"F3", {true, keyF3}},   {"F4", {true, keyF4}},
    {"F5", {true, keyF5}},   {"F6", {true, keyF6}},   {"F7", {true, keyF7}},   {"F8", {true, keyF8}},
    {"F9", {true, keyF9}},   {"F10", {true, keyF10}}, {"F11", {true, keyF11}}, {"F12", {true, keyF12}},
    {"Enter", {false, keyEnter}},     {"Escape", {false, keyEscape}},
    {"Backspace", {false, 8}},        {"Tab", {false, 9}},
    {"Delete", {false, 127}},
};

}  // namespace

bool playerKeyOfDomKey(std::string_view domKey, PlayerKey& key)
{
    for (const Named& named : namedKeys) {
        if (named.name == domKey) {
            key = named.key;
            return true;
        }
    }
    // A printable ASCII character is its own code, as GLUT gives it: "A"
    // with Shift held, "a" without.
    if (domKey.size() == 1 && domKey[0] >= ' ' && domKey[0] <= '~') {
        key = {false, static_cast<unsigned char>(domKey[0])};
        return true;
    }
    return false;
}

int modifiersOf(bool shift, bool ctrl, bool alt, bool meta)
{
    return (shift ? modifierShift : 0) | (ctrl ? modifierCtrl : 0) | (alt ? modifierAlt : 0) |
           (meta ? modifierSuper : 0);
}
