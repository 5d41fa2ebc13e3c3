// TODO(stub)
#include "render/scene.h"
void drawScene() {}
