#pragma once
// A browser's key event in the codes the game's keys travel under
// (app/key_codes.h): the page hands the desktop's play logic the very key
// GLUT would have given it, so bindings, recordings and replays agree.

#include <string_view>

#include "app/input/key_bindings.h"

// What a DOM KeyboardEvent.key names. False for a key the game has no code
// for (Shift alone, a dead key, a letter outside ASCII): the page then
// leaves it to the browser.
bool playerKeyOfDomKey(std::string_view domKey, PlayerKey& key);

// The modifier bits (modifier* of app/key_codes.h) of the keys held.
int modifiersOf(bool shift, bool ctrl, bool alt, bool meta);
