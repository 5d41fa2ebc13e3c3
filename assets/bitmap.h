#pragma once

// A picture read from a BMP file: width * height * 3 bytes of red, green,
// blue, rows tightly packed, in the order the file stores them (bottom row
// first for an ordinary BMP).
struct Image {
    unsigned char* pixels;
    int width;
    int height;
};

// Reads "images/<name>". Returns null (after one line on stderr naming the
// file) when the file is missing or is not an uncompressed 24-bit BMP.
Image* loadBitmap(const char* name);

// Frees the pixel array and the record.
void freeImage(Image* image);
