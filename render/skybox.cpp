// TODO(stub)
#include "render/skybox.h"
void drawSkyBox() {}
