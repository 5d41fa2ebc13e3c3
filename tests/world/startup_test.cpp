#include <gtest/gtest.h>

#include <GL/gl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "assets/textures.h"
#include "tests/support/xvfb.h"
#include "world/level.h"
#include "world/world.h"

namespace {

void put16(std::vector<unsigned char>& out, std::uint16_t v)
{
    out.push_back(v & 0xff);
    out.push_back(v >> 8);
}

void put32(std::vector<unsigned char>& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i) out.push_back((v >> (8 * i)) & 0xff);
}

// A 4 x 4 uncompressed 24-bit picture of one colour.
void writeBitmap(const std::filesystem::path& path, unsigned char shade)
{
    const int side = 4;
    const std::uint32_t pixelBytes = side * side * 3;  // rows of 12 need no padding
    std::vector<unsigned char> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, 54 + pixelBytes);
    put32(out, 0);
    put32(out, 54);
    put32(out, 40);
    put32(out, side);
    put32(out, side);
    put16(out, 1);
    put16(out, 24);
    put32(out, 0);
    put32(out, pixelBytes);
    put32(out, 2835);
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    out.insert(out.end(), pixelBytes, shade);
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(out.data(), 1, out.size(), f);
    std::fclose(f);
}

// The start-up order of the game: window, graphics, level; run from a
// scratch folder that holds every picture the game asks for.
TEST(Startup, LevelCarriesTheLoadedTextureNames)
{
    char dirTemplate[] = "/tmp/skycourse-startup-XXXXXX";
    ASSERT_NE(mkdtemp(dirTemplate), nullptr);
    const std::filesystem::path dir = dirTemplate;
    std::filesystem::create_directory(dir / "images");
    const char* names[] = {"ball",  "metal", "glass", "theEnd", "wood1", "wood2",
                           "wood3", "wood4", "wood5", "wood6",  "pos_z", "neg_x",
                           "neg_z", "pos_x", "pos_y", "neg_y"};
    unsigned char shade = 10;
    for (const char* n : names) {
        writeBitmap(dir / "images" / (std::string(n) + ".bmp"), shade);
        shade = static_cast<unsigned char>(shade + 15);
    }
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dir);

    openTestWindow();
    initGraphics();
    buildLevel();

    std::filesystem::current_path(previous);
    std::filesystem::remove_all(dir);

    ASSERT_EQ(blocks.size(), 114u);
    EXPECT_EQ(sizeOrbs.size(), 2u);
    EXPECT_EQ(checkpoints.size(), 3u);
    ASSERT_EQ(woodTextures.size(), 6u);

    // Every name the level uses is a distinct live texture.
    std::set<unsigned int> levelNames{metalTexture, glassTexture};
    levelNames.insert(woodTextures.begin(), woodTextures.end());
    EXPECT_EQ(levelNames.size(), 8u);
    for (unsigned int name : levelNames) {
        EXPECT_NE(name, 0u);
        EXPECT_EQ(glIsTexture(name), GL_TRUE) << name;
    }

    EXPECT_EQ(blocks[0]->texture, metalTexture);
    EXPECT_EQ(blocks[1]->texture, woodTextures[0]);
    EXPECT_EQ(blocks[12]->texture, woodTextures[5]);
    for (int n = 89; n <= 101; ++n) {
        if (n >= 93 && n <= 97) continue;
        EXPECT_EQ(blocks[n - 1]->texture, glassTexture) << n;
    }
    for (const Block* b : blocks) EXPECT_EQ(levelNames.count(b->texture), 1u);
}

}  // namespace
