#pragma once

#include "world/world.h"

// One 0.005 s motion step of a block between its ends of travel.
void moveBlockStep(Block& block);
