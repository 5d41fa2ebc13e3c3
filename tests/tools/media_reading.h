#pragma once
// Readers for the generated media files, written independently of the
// generator so that its mistakes cannot cancel out.

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

inline Bytes readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::uint32_t le(const Bytes& b, size_t at, int count)
{
    std::uint32_t v = 0;
    for (int i = count - 1; i >= 0; --i)
        v = (v << 8) | b.at(at + i);
    return v;
}

inline std::string mediaPath(const std::string& relative) { return std::string(MEDIA_DIR) + "/" + relative; }

struct Bmp {
    std::int32_t width = 0, height = 0;
    Bytes rgb; // tightly packed, rows in file order (first row = bottom)
    struct Texel {
        int r, g, b;
    };
    // Row `fileRow` counts from the first stored row, as the game uploads it.
    Texel at(int x, int fileRow) const
    {
        const size_t i = (static_cast<size_t>(fileRow) * width + x) * 3;
        return {rgb[i], rgb[i + 1], rgb[i + 2]};
    }
};

inline Bmp pixelsOf(const Bytes& file)
{
    Bmp bmp;
    bmp.width = static_cast<std::int32_t>(le(file, 18, 4));
    bmp.height = static_cast<std::int32_t>(le(file, 22, 4));
    const size_t offset = le(file, 10, 4);
    const size_t rowBytes = (static_cast<size_t>(bmp.width) * 3 + 3) / 4 * 4;
    bmp.rgb.resize(static_cast<size_t>(bmp.width) * bmp.height * 3);
    for (int y = 0; y < bmp.height; ++y)
        for (int x = 0; x < bmp.width; ++x)
            for (int c = 0; c < 3; ++c)
                bmp.rgb[(static_cast<size_t>(y) * bmp.width + x) * 3 + c] = file.at(offset + y * rowBytes + x * 3 + 2 - c);
    return bmp;
}

inline Bmp loadBmp(const std::string& name) { return pixelsOf(readBytes(mediaPath("images/" + name))); }

struct Wav {
    int format = 0, channels = 0, rate = 0, bits = 0, blockAlign = 0;
    std::uint32_t byteRate = 0;
    std::vector<std::int16_t> samples; // interleaved
    bool valid = false;
    double seconds() const { return channels ? double(samples.size()) / channels / rate : 0; }
};

// Walks the RIFF chunks; valid only when the fmt and data chunks are
// present and lie inside the file.
inline Wav parseWav(const Bytes& file)
{
    Wav wav;
    if (file.size() < 12 || std::string(file.begin(), file.begin() + 4) != "RIFF" ||
        std::string(file.begin() + 8, file.begin() + 12) != "WAVE" || le(file, 4, 4) + 8 != file.size())
        return wav;
    bool haveFormat = false;
    for (size_t at = 12; at + 8 <= file.size();) {
        const std::string id(file.begin() + at, file.begin() + at + 4);
        const size_t size = le(file, at + 4, 4);
        if (at + 8 + size > file.size())
            return wav;
        if (id == "fmt " && size >= 16) {
            wav.format = le(file, at + 8, 2);
            wav.channels = le(file, at + 10, 2);
            wav.rate = le(file, at + 12, 4);
            wav.byteRate = le(file, at + 16, 4);
            wav.blockAlign = le(file, at + 20, 2);
            wav.bits = le(file, at + 22, 2);
            haveFormat = true;
        } else if (id == "data" && haveFormat) {
            for (size_t i = 0; i + 1 < size; i += 2)
                wav.samples.push_back(static_cast<std::int16_t>(le(file, at + 8 + i, 2)));
            wav.valid = true;
        }
        at += 8 + size + (size & 1);
    }
    return wav;
}
