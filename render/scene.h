#pragma once

// One frame of the running game, ending with a buffer swap.
void drawScene();
