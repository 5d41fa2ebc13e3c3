// TODO(stub)
#include "app/tick.h"
int windowWidth = 1280;
int windowHeight = 1024;
bool advanceTick() { return false; }
void onTimer(int) {}
void onDisplay() {}
void onReshape(int, int) {}
