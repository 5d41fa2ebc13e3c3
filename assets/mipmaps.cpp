#include "assets/mipmaps.h"

#include <algorithm>

namespace {

MipLevel halve(const unsigned char* from, int width, int height, int channels)
{
    MipLevel level;
    level.width = std::max(width / 2, 1);
    level.height = std::max(height / 2, 1);
    level.texels.resize(size_t(level.width) * size_t(level.height) * size_t(channels));
    const size_t row = size_t(width) * size_t(channels);
    unsigned char* out = level.texels.data();
    if (width > 1 && height > 1) {
        for (int y = 0; y < level.height; ++y) {
            const unsigned char* top = from + size_t(2 * y) * row;
            const unsigned char* bottom = top + row;
            for (int x = 0; x < level.width; ++x) {
                for (int c = 0; c < channels; ++c) {
                    const size_t left = size_t(2 * x) * size_t(channels) + size_t(c);
                    const size_t right = left + size_t(channels);
                    *out++ = static_cast<unsigned char>((top[left] + top[right] + bottom[left] + bottom[right] + 2) / 4);
                }
            }
        }
    } else {
        // A single row or column: pairs along it, truncated as GLU does.
        const int count = level.width * level.height;
        for (int i = 0; i < count; ++i) {
            for (int c = 0; c < channels; ++c) {
                const size_t a = size_t(2 * i) * size_t(channels) + size_t(c);
                *out++ = static_cast<unsigned char>((from[a] + from[a + size_t(channels)]) / 2);
            }
        }
    }
    return level;
}

}  // namespace

std::vector<MipLevel> mipChain(const unsigned char* texels, int width, int height, int channels)
{
    std::vector<MipLevel> chain;
    while (width > 1 || height > 1) {
        chain.push_back(halve(texels, width, height, channels));
        texels = chain.back().texels.data();
        width = chain.back().width;
        height = chain.back().height;
    }
    return chain;
}
