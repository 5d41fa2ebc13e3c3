#pragma once
// Texturing switches shared by the draws.

#include "assets/textures.h"
#include "world/world.h"

// The picture of a block's material; 0 (no texture) for Material::None.
unsigned int textureOf(const Textures& textures, const Block& block);

// Binds `texture` to GL_TEXTURE_2D with texturing on and trilinear filtering.
void bindFilteredTexture(unsigned int texture);

// Turns texturing off and leaves the white texel bound. The shader pair
// samples texture unit 0 on every draw, so an untextured draw must find a
// texel that changes nothing; the fixed-function path ignores the binding.
void disableTexturing(const Textures& textures);
