#pragma once

#include "sim/course_state.h"
#include "world/world.h"

// One 0.005 s motion step of a block between its ends of travel.
void moveBlockStep(const Block& block, BlockState& state);
// That many steps; the course's blocks go through here, steps and blocks in
// one place for the compiler.
void moveBlockSteps(const Block& block, BlockState& state, int steps);
