#include "tools/replay/png_file.h"

#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>

#include "app/script/script.h"

namespace {

std::string cannotWrite(const char* path, int error)
{
    return "shot: cannot write " + printable(path) + ": " + std::strerror(error);
}

// libpng's own words for what went wrong, kept for the one line we print.
void keepPngError(png_structp png, png_const_charp message)
{
    *static_cast<std::string*>(png_get_error_ptr(png)) = message;
    png_longjmp(png, 1);
}

void ignorePngWarning(png_structp, png_const_charp) {}

}  // namespace

std::string writePng(const char* path, const std::vector<unsigned char>& rgba, int width, int height)
{
    FILE* file = std::fopen(path, "wb");
    if (file == nullptr) return cannotWrite(path, errno);
    std::string pngError;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &pngError, keepPngError, ignorePngWarning);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        // A failed write leaves the stream's error flag and errno; libpng's
        // message for it says less.
        const int error = errno;
        const bool writeFailed = std::ferror(file) != 0;
        png_destroy_write_struct(&png, info != nullptr ? &info : nullptr);
        std::fclose(file);
        if (writeFailed) return cannotWrite(path, error);
        return "shot: cannot encode " + printable(path) + ": " + (pngError.empty() ? "out of memory" : pngError);
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
    // The last block reaches the disk only now, so a full disk shows here.
    if (std::fclose(file) != 0) return cannotWrite(path, errno);
    return "";
}
