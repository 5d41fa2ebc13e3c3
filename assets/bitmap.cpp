// TODO(stub)
#include "assets/bitmap.h"
Image* loadBitmap(const char*) { return nullptr; }
void freeImage(Image*) {}
