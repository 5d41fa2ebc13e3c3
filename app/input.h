#pragma once
// Keyboard and mouse: the key map and mouse look. The flags and camera
// values themselves live in sim/game_state.h.

#include <cstdint>

extern uint8_t jumpKey;          // 13 (Enter) or 122 ("z")
extern bool jumpKeyIsZ;
extern bool mouseLookDisabled;

void onKeyDown(unsigned char key, int x, int y);
void onKeyUp(unsigned char key, int x, int y);
void onSpecialDown(int key, int x, int y);
void onSpecialUp(int key, int x, int y);
void onMouseMove(int x, int y);

// Seams so that the callbacks run without a GLUT window (tests and the
// replay tool): the modifier state and the pointer warp.
extern int (*readModifiers)();
extern void (*warpPointer)(int x, int y);

// Set by main when game mode was entered, so that Esc can leave it.
extern bool gameModeActive;

// Esc: release the sound system, delete the ball, leave game mode, exit 0.
[[noreturn]] void exitGame();
