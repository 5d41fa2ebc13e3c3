#pragma once

// A framebuffer of RGBA colour with depth and stencil, made and bound on the
// current context, for drawing off screen. 0 when the GL cannot make one.
unsigned int makeOffscreenFramebuffer(int width, int height);
