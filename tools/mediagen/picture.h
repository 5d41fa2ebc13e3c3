#pragma once
// An RGB picture held top row first, as a person looks at it; the BMP
// writer turns it bottom-up on the way out.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct Colour {
    float r = 0, g = 0, b = 0;
};

inline Colour operator+(Colour a, Colour b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Colour operator-(Colour a, Colour b) { return {a.r - b.r, a.g - b.g, a.b - b.b}; }
inline Colour operator*(Colour a, float k) { return {a.r * k, a.g * k, a.b * k}; }
inline Colour operator*(Colour a, Colour b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }
inline Colour mix(Colour a, Colour b, float t) { return a + (b - a) * t; }
// 0..255 components, the way colours are usually written down.
inline Colour rgb255(int r, int g, int b) { return {r / 255.0f, g / 255.0f, b / 255.0f}; }

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb; // width * height * 3, row 0 at the top
};

Picture makePicture(int width, int height);
void setPixel(Picture& picture, int x, int y, Colour c);
Colour getPixel(const Picture& picture, int x, int y);
// A picture whose texel at column x, row y (row 0 at the top) is
// paint(u, v) with u = (x + 0.5) / width and v = (y + 0.5) / height.
Picture paintPicture(int width, int height, const std::function<Colour(float u, float v)>& paint);

// Uncompressed 24-bit BMP, 40-byte info header, bottom-up, padded rows.
std::vector<std::uint8_t> encodeBmp(const Picture& picture);
bool writePng(const std::string& path, const Picture& picture);
// Rows top to bottom, RGB or RGBA, tightly packed.
bool writePngPixels(const std::string& path, const unsigned char* pixels, int width, int height, bool alpha);
bool writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
