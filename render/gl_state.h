#pragma once
// The GL settings a draw of the frame asks for, in calls both renderers
// have (OpenGL 1.x and OpenGL ES 2 alike).

#include "render/frame.h"

// Depth test, colour mask, culling, polygon offset, blending and stencil.
void applyDrawState(const DrawState& state);

// The bound texture's filtering and wrapping, as the filter asks.
void applyTextureFilter(Filter filter);
