// TODO(stub): block collision
#include "sim/collision.h"
void collideBlocks(Ball&) {}
void collideBlock(const Block&, Vec3&, Vec3&, float) {}
bool faceContact(const Block&, const Vec3&, float, int) { return false; }
