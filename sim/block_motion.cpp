// TODO(stub): block motion
#include "sim/block_motion.h"
void moveBlockStep(Block&) {}
