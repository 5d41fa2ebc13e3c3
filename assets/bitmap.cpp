#include "assets/bitmap.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cerrno>

namespace {

// Pictures come from disk and may be damaged or hostile. No texture of this
// game needs more than this per side (GL implementations guarantee far
// less), and a bound here keeps a forged header from costing gigabytes.
constexpr int maxSide = 4096;
constexpr size_t pathSize = 100;
constexpr char folder[] = "images/";

uint32_t readU32(const unsigned char* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

uint16_t readU16(const unsigned char* p)
{
    return uint16_t(p[0] | p[1] << 8);
}

Image* fail(const char* path, const char* reason, std::FILE* file = nullptr,
            unsigned char* scratch = nullptr)
{
    std::fprintf(stderr, "skycourse: cannot read picture %s: %s\n", path, reason);
    if (file) std::fclose(file);
    std::free(scratch);
    return nullptr;
}

bool readAt(std::FILE* file, long offset, unsigned char* out, size_t count)
{
    return std::fseek(file, offset, SEEK_SET) == 0 && std::fread(out, 1, count, file) == count;
}

}  // namespace

Image* loadBitmap(const char* name)
{
    if (!name) return fail("(no name)", "no file name");
    char path[pathSize];
    size_t nameLength = std::strlen(name);
    if (nameLength > pathSize - sizeof folder) {
        std::fprintf(stderr, "skycourse: cannot read picture %s%s: name too long\n", folder, name);
        return nullptr;
    }
    std::memcpy(path, folder, sizeof folder - 1);
    std::memcpy(path + sizeof folder - 1, name, nameLength + 1);

    std::FILE* file = std::fopen(path, "rb");
    if (!file) return fail(path, std::strerror(errno));
    return readBitmap(file, path);
}

Image* readBitmap(std::FILE* file, const char* path)
{
    if (std::fseek(file, 0, SEEK_END) != 0) return fail(path, "cannot seek", file);
    long fileSize = std::ftell(file);
    if (fileSize < 0) return fail(path, "cannot tell its size", file);

    // File header (14 bytes) plus the size field of the info header.
    unsigned char header[54] = {0};
    if (!readAt(file, 0, header, 18)) return fail(path, "file too short for a BMP header", file);
    uint32_t dataOffset = readU32(header + 10);
    uint32_t infoSize = readU32(header + 14);
    if (infoSize != 12 && infoSize != 40) return fail(path, "unsupported info header size", file);
    if (!readAt(file, 18, header + 18, infoSize - 4)) return fail(path, "truncated info header", file);

    int64_t width = 0;
    int64_t height = 0;
    unsigned bitCount = 0;
    uint32_t compression = 0;
    bool topDown = false;
    if (infoSize == 12) {
        width = int16_t(readU16(header + 18));
        height = int16_t(readU16(header + 20));
        bitCount = readU16(header + 24);
        if (height < 0) return fail(path, "negative height in a core header", file);
    } else {
        width = int32_t(readU32(header + 18));
        height = int32_t(readU32(header + 22));
        bitCount = readU16(header + 28);
        compression = readU32(header + 30);
        // A negative height marks rows stored top row first.
        if (height < 0) {
            topDown = true;
            height = -height;
        }
    }
    if (bitCount != 24) return fail(path, "not 24 bits per pixel", file);
    if (compression != 0) return fail(path, "compressed pixel data", file);
    if (width <= 0 || height <= 0) return fail(path, "zero or negative size", file);
    if (width > maxSide || height > maxSide) return fail(path, "picture too large", file);

    // Sides are capped above, so none of these products can overflow.
    size_t rowLength = (size_t(width) * 3 + 3) & ~size_t(3);
    size_t dataSize = rowLength * size_t(height);
    if (uint64_t(dataOffset) + dataSize > uint64_t(fileSize))
        return fail(path, "pixel data runs past the end of the file", file);

    // Only now, with the file known to hold every byte the header claims,
    // is memory taken for them.
    auto* scratch = static_cast<unsigned char*>(std::malloc(dataSize));
    if (!scratch) return fail(path, "out of memory", file);
    if (!readAt(file, long(dataOffset), scratch, dataSize))
        return fail(path, "cannot read pixel data", file, scratch);
    std::fclose(file);

    size_t outRow = size_t(width) * 3;
    auto* pixels = static_cast<unsigned char*>(std::malloc(outRow * size_t(height)));
    auto* image = static_cast<Image*>(std::malloc(sizeof(Image)));
    if (!pixels || !image) {
        std::free(pixels);
        std::free(image);
        return fail(path, "out of memory", nullptr, scratch);
    }
    for (size_t y = 0; y < size_t(height); ++y) {
        // Output rows always go bottom row first, as OpenGL expects.
        size_t fileRow = topDown ? size_t(height) - 1 - y : y;
        const unsigned char* in = scratch + fileRow * rowLength;
        unsigned char* out = pixels + y * outRow;
        for (size_t x = 0; x < size_t(width); ++x) {
            out[3 * x + 0] = in[3 * x + 2];
            out[3 * x + 1] = in[3 * x + 1];
            out[3 * x + 2] = in[3 * x + 0];
        }
    }
    std::free(scratch);
    image->pixels = pixels;
    image->width = int(width);
    image->height = int(height);
    return image;
}

void freeImage(Image* image)
{
    if (!image) return;
    std::free(image->pixels);
    std::free(image);
}
