#pragma once

#include "render/graphics.h"
#include "sim/game.h"

// One frame of the running game: the sky, the ball, the course, the ring,
// the ball's shadow and the see-through items, under the projection of the
// camera's view for the current viewport. The caller shows it (swaps the
// buffers).
void drawScene(const Game& game, const Graphics& graphics);
