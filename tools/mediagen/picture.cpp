#include "tools/mediagen/picture.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

Picture makePicture(int width, int height)
{
    Picture p;
    p.width = width;
    p.height = height;
    p.rgb.assign(static_cast<size_t>(width) * height * 3, 0);
    return p;
}

static std::uint8_t toByte(float v)
{
    return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
}

void setPixel(Picture& picture, int x, int y, Colour c)
{
    std::uint8_t* px = &picture.rgb[(static_cast<size_t>(y) * picture.width + x) * 3];
    px[0] = toByte(c.r);
    px[1] = toByte(c.g);
    px[2] = toByte(c.b);
}

Colour getPixel(const Picture& picture, int x, int y)
{
    const std::uint8_t* px = &picture.rgb[(static_cast<size_t>(y) * picture.width + x) * 3];
    return rgb255(px[0], px[1], px[2]);
}

Picture paintPicture(int width, int height, const std::function<Colour(float u, float v)>& paint)
{
    Picture p = makePicture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            setPixel(p, x, y, paint((x + 0.5f) / width, (y + 0.5f) / height));
    return p;
}

static void put16(std::vector<std::uint8_t>& out, size_t at, std::uint32_t v)
{
    out[at] = v & 0xff;
    out[at + 1] = (v >> 8) & 0xff;
}

static void put32(std::vector<std::uint8_t>& out, size_t at, std::uint32_t v)
{
    put16(out, at, v & 0xffff);
    put16(out, at + 2, v >> 16);
}

std::vector<std::uint8_t> encodeBmp(const Picture& picture)
{
    const size_t rowBytes = (static_cast<size_t>(picture.width) * 3 + 3) / 4 * 4;
    const size_t dataBytes = rowBytes * picture.height;
    const size_t headerBytes = 14 + 40;
    std::vector<std::uint8_t> out(headerBytes + dataBytes, 0);
    out[0] = 'B';
    out[1] = 'M';
    put32(out, 2, static_cast<std::uint32_t>(out.size()));
    put32(out, 10, headerBytes);
    put32(out, 14, 40);
    put32(out, 18, picture.width);
    put32(out, 22, picture.height);
    put16(out, 26, 1);  // planes
    put16(out, 28, 24); // bits per pixel
    put32(out, 30, 0);  // BI_RGB
    put32(out, 34, static_cast<std::uint32_t>(dataBytes));
    put32(out, 38, 2835); // 72 dpi
    put32(out, 42, 2835);
    for (int fileRow = 0; fileRow < picture.height; ++fileRow) {
        const int y = picture.height - 1 - fileRow; // bottom row first
        const std::uint8_t* src = &picture.rgb[static_cast<size_t>(y) * picture.width * 3];
        std::uint8_t* dst = &out[headerBytes + fileRow * rowBytes];
        for (int x = 0; x < picture.width; ++x) {
            dst[x * 3 + 0] = src[x * 3 + 2];
            dst[x * 3 + 1] = src[x * 3 + 1];
            dst[x * 3 + 2] = src[x * 3 + 0];
        }
    }
    return out;
}

bool writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(path.c_str(), "wb"), std::fclose);
    if (!f)
        return false;
    return std::fwrite(bytes.data(), 1, bytes.size(), f.get()) == bytes.size();
}

bool writePngPixels(const std::string& path, const unsigned char* pixels, int width, int height, bool alpha)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = unsigned(width);
    image.height = unsigned(height);
    image.format = alpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    const bool ok =
        png_image_write_to_file(&image, path.c_str(), 0, pixels, width * (alpha ? 4 : 3), nullptr) != 0;
    png_image_free(&image);
    return ok;
}

bool writePng(const std::string& path, const Picture& picture)
{
    return writePngPixels(path, picture.rgb.data(), picture.width, picture.height, false);
}
