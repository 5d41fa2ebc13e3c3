// TODO(stub)
#include "render/shadow.h"
float findShadowReceiver(const Ball&, const Vec3&, Block&) { return -1.0f; }
void drawBallShadow() {}
void drawDisc(float) {}
