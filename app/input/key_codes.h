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

// A pad's buttons, as a PlayerKey's code when its `pad` flag is set and as
// a bit each (1 << code) of a pad's reading. The names are SDL's game
// controller's; the browser's standard mapping has the same buttons.
constexpr int padA = 0;
constexpr int padB = 1;
constexpr int padX = 2;
constexpr int padY = 3;
constexpr int padBack = 4;
constexpr int padStart = 5;
constexpr int padLeftShoulder = 6;
constexpr int padRightShoulder = 7;
constexpr int padLeftStick = 8;   // the stick pressed in
constexpr int padRightStick = 9;
constexpr int padUp = 10;         // the d-pad
constexpr int padDown = 11;
constexpr int padLeft = 12;
constexpr int padRight = 13;
constexpr int padButtonCount = 14;
