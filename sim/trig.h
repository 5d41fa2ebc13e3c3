#pragma once
// Sine and cosine of a float, the same bits on every build. The C
// libraries round sinf and cosf differently in the last bit (glibc's and
// the WebAssembly build's musl disagree on about one input in a hundred),
// and the simulation feeds those bits back into the ball for thousands of
// ticks: a run recorded on one build would not replay on another. These use
// only IEEE double arithmetic, which every build rounds alike, and are
// correctly rounded but for inputs within a hair of a tie.

// Angles in radians, |x| up to about six million; larger ones, infinities and NaNs
// give NaN, which no angle of the game is.
float portableSin(float x);
float portableCos(float x);
// Both at once, from one reduction of x: the same bits as the two above.
void portableSinCos(float x, float& sine, float& cosine);
