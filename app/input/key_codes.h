#pragma once
// The codes keys travel under everywhere a key is named: the game's input,
// the replay script, keys.conf and the tools. They are the values GLUT gives
// its callbacks, so a GLUT key needs no translation, but nothing here needs
// GLUT, which lets the windowless tools and the browser build use them.

// Special keys.
constexpr int keyF1 = 1;
constexpr int keyF2 = 2;
constexpr int keyF3 = 3;
constexpr int keyF4 = 4;
constexpr int keyF5 = 5;
constexpr int keyF6 = 6;
constexpr int keyF7 = 7;
constexpr int keyF8 = 8;
constexpr int keyF9 = 9;
constexpr int keyF10 = 10;
constexpr int keyF11 = 11;
constexpr int keyF12 = 12;
constexpr int keyLeft = 100;
constexpr int keyUp = 101;
constexpr int keyRight = 102;
constexpr int keyDown = 103;
constexpr int keyPageUp = 104;
constexpr int keyPageDown = 105;
constexpr int keyHome = 106;
constexpr int keyEnd = 107;
constexpr int keyInsert = 108;

// Ordinary keys that the game acts on by code.
constexpr unsigned char keyEnter = 13;
constexpr unsigned char keyBackspace = 8;
constexpr unsigned char keyEscape = 27;

// Modifier bits held with a special key.
constexpr int modifierShift = 1;
constexpr int modifierCtrl = 2;
constexpr int modifierAlt = 4;
constexpr int modifierSuper = 8;
