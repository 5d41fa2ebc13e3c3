// TODO(stub)
#include "assets/textures.h"
unsigned int createTexture(const char*) { return 0; }
void initGraphics() {}
