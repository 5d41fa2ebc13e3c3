#pragma once

#include "world/world.h"

// The whole course: 114 blocks, 2 size orbs, 3 checkpoints and the goal.
Course buildLevel();
