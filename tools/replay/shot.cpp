// TODO(stub)
#include "tools/replay/shot.h"
#include <cstdio>
bool takeShot(const char*) { std::fprintf(stderr, "shot: not available\n"); return false; }
