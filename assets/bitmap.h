#pragma once

// A picture read from a BMP file: width * height * 3 bytes of red, green,
// blue, rows tightly packed, in the order the file stores them (bottom row
// first for an ordinary BMP).
struct Image {
    unsigned char* pixels;
    int width;
    int height;
};

#include <cstdio>

// Reads "images/<name>". Returns null (after one line on stderr naming the
// file) when the file is missing or is not an uncompressed 24-bit BMP of at
// most 4096 pixels per side.
Image* loadBitmap(const char* name);

// The same from an open file, which it closes; `path` only names it in the
// line on stderr.
Image* readBitmap(std::FILE* file, const char* path);

// Frees the pixel array and the record.
void freeImage(Image* image);
