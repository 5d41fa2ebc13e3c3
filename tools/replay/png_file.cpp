#include "tools/replay/png_file.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>

bool writePng(const char* path, const std::vector<unsigned char>& rgba, int width, int height)
{
    FILE* file = std::fopen(path, "wb");
    if (file == nullptr) {
        std::fprintf(stderr, "shot: cannot write %s\n", path);
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info != nullptr ? &info : nullptr);
        std::fclose(file);
        std::fprintf(stderr, "shot: cannot encode %s\n", path);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    // GL reads the bottom row first; a PNG starts at the top.
    for (int y = height - 1; y >= 0; --y) {
        png_write_row(png, &rgba[static_cast<size_t>(y) * width * 4]);
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    const bool closed = std::fclose(file) == 0;
    if (!closed) std::fprintf(stderr, "shot: cannot write %s\n", path);
    return closed;
}
