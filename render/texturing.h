#pragma once

// Texturing switches shared by the draws.

// Binds `texture` to GL_TEXTURE_2D with texturing on and trilinear filtering.
void bindFilteredTexture(unsigned int texture);

// Turns texturing off and leaves a 1x1 white texture bound. The shader pair
// samples texture unit 0 on every draw, so an untextured draw must find a
// texel that changes nothing; the fixed-function path ignores the binding.
void disableTexturing();

// The 1x1 white texture, created on first use in the current context.
unsigned int whiteTexture();
