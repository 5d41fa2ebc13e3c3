#pragma once
// A picture's chain of smaller copies for mipmapped filtering, made on the
// CPU the way GLU's gluBuild2DMipmaps makes it for power-of-two sizes, so
// the textures look the same on drivers and in builds that have no GLU.

#include <vector>

struct MipLevel {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> texels;   // width * height * channels, rows tightly packed
};

// Each level halves the one before (a side already at 1 stays 1), down to
// 1x1: each texel the rounded mean of the 2x2 (or, on a side of 1, the
// truncated mean of the 2) it covers. Level 0 is not included. Sides must
// be powers of two.
std::vector<MipLevel> mipChain(const unsigned char* texels, int width, int height, int channels);
