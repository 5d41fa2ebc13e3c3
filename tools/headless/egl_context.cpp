// TODO(stub)
#include "tools/headless/egl_context.h"
bool makeHeadlessContext() { return false; }
