// TODO(stub)
#include "app/input.h"
#include <cstdlib>
uint8_t jumpKey = 13;
bool jumpKeyIsZ = false;
bool mouseLookDisabled = true;
void onKeyDown(unsigned char, int, int) {}
void onKeyUp(unsigned char, int, int) {}
void onSpecialDown(int, int, int) {}
void onSpecialUp(int, int, int) {}
void onMouseMove(int, int) {}
int (*readModifiers)() = nullptr;
void (*warpPointer)(int, int) = nullptr;
bool gameModeActive = false;
void exitGame() { std::exit(0); }
