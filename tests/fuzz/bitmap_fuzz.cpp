// libFuzzer target: any bytes as a picture file, through the game's own
// BMP reader. The sanitizers catch every out-of-bounds access, overflow and
// leak; the reader must only ever say no.

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "assets/bitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // fmemopen refuses an empty buffer; the empty file is a unit test case.
    if (size == 0) return 0;
    std::FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
    if (file == nullptr) return 0;
    Image* image = readBitmap(file, "images/fuzz.bmp");
    if (image != nullptr) {
        // What it accepted must fit the bytes it was given.
        const size_t row = (size_t(image->width) * 3 + 3) & ~size_t(3);
        if (image->width <= 0 || image->height <= 0 || image->width > 4096 || image->height > 4096 ||
            row * size_t(image->height) > size)
            std::abort();
    }
    freeImage(image);
    return 0;
}
