#pragma once

// Makes an offscreen (surfaceless) OpenGL context current, with no X
// display. Enough for GL calls that need no window, like the ball's rolling
// matrix. Returns false, with a line on stderr, if none can be made.
bool makeHeadlessContext();
