#pragma once
// Small writers for the test pictures and sounds, a scratch folder the
// test works in so that "images/" and "sounds/" resolve as in the game, and
// a catcher for what a call says on stderr.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

#include "assets/media_manifest.h"

// Every picture the game loads, in its load order; the last six are the sky
// faces in texture order.
inline const char* const* const skyPictures = pictureFiles + firstSkyPicture;

struct Rgb {
    unsigned char r, g, b;
    bool operator==(const Rgb&) const = default;
};

inline void putLe(std::vector<unsigned char>& out, size_t at, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) out[at + size_t(i)] = (value >> (8 * i)) & 0xff;
}

// A 24-bit BMP whose stored row y (file order), pixel x has colour
// pixel(x, y). infoSize 40 or 12; a negative height writes a top-down header
// but the rows still come out in file order.
inline std::vector<unsigned char> makeBmp(int width, int height, int infoSize,
                                          const std::function<Rgb(int, int)>& pixel)
{
    int rows = height < 0 ? -height : height;
    size_t rowLength = (size_t(width) * 3 + 3) & ~size_t(3);
    size_t offset = 14 + size_t(infoSize);
    std::vector<unsigned char> bytes(offset + rowLength * size_t(rows), 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    putLe(bytes, 2, uint32_t(bytes.size()), 4);
    putLe(bytes, 10, uint32_t(offset), 4);
    putLe(bytes, 14, uint32_t(infoSize), 4);
    if (infoSize == 12) {
        putLe(bytes, 18, uint32_t(width), 2);
        putLe(bytes, 20, uint32_t(height), 2);
        putLe(bytes, 22, 1, 2);
        putLe(bytes, 24, 24, 2);
    } else {
        putLe(bytes, 18, uint32_t(width), 4);
        putLe(bytes, 22, uint32_t(height), 4);
        putLe(bytes, 26, 1, 2);
        putLe(bytes, 28, 24, 2);
    }
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < width; ++x) {
            Rgb c = pixel(x, y);
            unsigned char* p = &bytes[offset + size_t(y) * rowLength + size_t(x) * 3];
            p[0] = c.b;
            p[1] = c.g;
            p[2] = c.r;
        }
    }
    return bytes;
}

inline std::vector<unsigned char> solidBmp(int width, int height, Rgb colour)
{
    return makeBmp(width, height, 40, [colour](int, int) { return colour; });
}

inline void writeFile(const std::string& path, const std::vector<unsigned char>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

inline void writeFile(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// Mono 16-bit PCM tone.
inline std::vector<unsigned char> makeWav(double seconds, double frequency)
{
    const uint32_t rate = 22050;
    uint32_t samples = uint32_t(seconds * rate);
    std::vector<unsigned char> bytes(44 + samples * 2, 0);
    auto tag = [&](size_t at, const char* four) {
        for (int i = 0; i < 4; ++i) bytes[at + size_t(i)] = static_cast<unsigned char>(four[i]);
    };
    tag(0, "RIFF");
    putLe(bytes, 4, uint32_t(bytes.size() - 8), 4);
    tag(8, "WAVE");
    tag(12, "fmt ");
    putLe(bytes, 16, 16, 4);
    putLe(bytes, 20, 1, 2);
    putLe(bytes, 22, 1, 2);
    putLe(bytes, 24, rate, 4);
    putLe(bytes, 28, rate * 2, 4);
    putLe(bytes, 32, 2, 2);
    putLe(bytes, 34, 16, 2);
    tag(36, "data");
    putLe(bytes, 40, samples * 2, 4);
    for (uint32_t i = 0; i < samples; ++i) {
        double phase = double(i) * frequency / rate;
        int16_t value = (phase - double(int(phase))) < 0.5 ? 8000 : -8000;
        putLe(bytes, 44 + i * 2, uint16_t(value), 2);
    }
    return bytes;
}

// A fresh folder under /tmp that becomes the working directory; removed at
// destruction and the old working directory restored.
struct ScratchDir {
    std::string path;
    std::string previous;
    ScratchDir()
    {
        char templ[] = "/tmp/skycourse-test-XXXXXX";
        path = mkdtemp(templ);
        char cwd[4096];
        previous = getcwd(cwd, sizeof cwd) ? cwd : "/";
        if (chdir(path.c_str()) != 0) std::abort();
    }
    ~ScratchDir()
    {
        if (chdir(previous.c_str()) != 0) std::abort();
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
};

inline int countLines(const std::string& text)
{
    int lines = 0;
    for (char c : text) lines += c == '\n';
    return lines;
}

// Runs the call and returns what it wrote to stderr.
template <typename Call>
std::string stderrOf(Call&& call)
{
    testing::internal::CaptureStderr();
    call();
    return testing::internal::GetCapturedStderr();
}
