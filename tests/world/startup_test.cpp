#include <gtest/gtest.h>

#include <GL/gl.h>
#include <sys/stat.h>

#include <set>
#include <string>

#include "assets/textures.h"
#include "tests/support/media_files.h"
#include "tests/support/xvfb.h"
#include "world/level.h"
#include "world/world.h"

namespace {

// The start-up order of the game: window, graphics, level; run from a
// scratch folder that holds every picture the game asks for.
TEST(Startup, LevelCarriesTheLoadedTextureNames)
{
    {
        ScratchDir dir;
        mkdir("images", 0755);
        unsigned char shade = 10;
        for (const char* name : gamePictures) {
            writeFile(std::string("images/") + name, solidBmp(4, 4, {shade, shade, shade}));
            shade = static_cast<unsigned char>(shade + 15);
        }
        openTestWindow();
        initGraphics();
        buildLevel();
    }

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
