#pragma once

#include "render/graphics.h"
#include "sim/game.h"

// One frame of the running game: the sky, the ball, the course, the items,
// the ring and the ball's shadow. The caller shows it (swaps the buffers).
void drawScene(const Game& game, const Graphics& graphics);
