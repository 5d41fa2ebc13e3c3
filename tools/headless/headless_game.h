#pragma once

// Starts the game with no window, no X display and no sound, the same way
// every time, so that a script replays identically in every tool: an
// offscreen GL context, stand-in picture names (distinct numbers with no GL
// textures behind them: the level stamps them into blocks and the landing
// sounds tell metal from wood), the random generator seeded with 1, the
// course built, input seams that need no GLUT (`modifiers` answers for the
// modifier keys, the pointer warp does nothing) and a 1280 x 1024 screen for
// mouse look. Returns false when no GL context can be made.
bool startHeadlessGame(int (*modifiers)());
