#pragma once

// Builds the whole course into the lists of world.h: 114 blocks, 2 size
// orbs, 3 checkpoints and the goal. Needs the texture names to exist.
void buildLevel();
