#pragma once
// How many threads Mesa's software rasterizer (llvmpipe) draws the game
// with. It reads LP_NUM_THREADS once, when the first GL context is made, so
// the choice is made before the window; other drivers ignore it.

// The value the game gives LP_NUM_THREADS, or nullptr to leave it alone:
// the player's own setting (`playersSetting`, the variable as found, null
// or empty when unset) always wins.
const char* rasterizerThreadsFor(const char* playersSetting, bool fastGraphics);

// Puts that choice into the environment. Call before the window is opened.
void chooseRasterizerThreads(bool fastGraphics);
