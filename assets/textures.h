#pragma once

#include "assets/texture_names.h"

// Loads "images/<name>" into a new mipmapped texture and leaves it bound.
// A picture that cannot be read becomes a small magenta and black checker.
unsigned int createTexture(const char* name);

// The fixed GL state, all sixteen textures, then the shader program.
void initGraphics();
