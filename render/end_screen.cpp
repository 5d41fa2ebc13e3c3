// TODO(stub)
#include "render/end_screen.h"
void drawEndScreen() {}
