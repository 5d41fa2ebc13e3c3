#pragma once
// The game's pictures as GL textures.

#include <array>

// GL texture names, one per picture, and a 1x1 white one for untextured
// draws (the shader pair samples texture unit 0 on every draw).
struct Textures {
    unsigned int ball = 0;
    unsigned int metal = 0;
    unsigned int glass = 0;
    unsigned int end = 0;
    std::array<unsigned int, 6> wood{};   // wood[i] is "wood<i+1>.bmp"
    std::array<unsigned int, 6> sky{};    // pos_z, neg_x, neg_z, pos_x, pos_y, neg_y
    unsigned int white = 0;
    unsigned int font = 0;                // the overlay's characters
};

// Loads "images/<name>" into a new mipmapped texture and leaves it bound.
// A picture that cannot be read becomes a small magenta and black checker.
unsigned int createTexture(const char* name);

// Every picture of the media manifest, in its order, and the white texel.
Textures loadTextures();
