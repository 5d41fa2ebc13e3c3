#include "tests/support/media_files.h"
#include "tests/tools/media_reading.h"
#include "tools/mediagen/noise.h"
#include "tools/mediagen/picture.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

int runGenerator(const std::string& arguments)
{
    const std::string command = std::string(MEDIAGEN_EXE) + " " + arguments + " 2>/dev/null";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST(Generator, SecondRunWritesTheSameBytesAsTheBuild)
{
    ScratchDir scratch;
    // Into a folder that does not exist yet.
    const fs::path out = fs::path(scratch.path) / "game";
    ASSERT_EQ(runGenerator(out.string()), 0);
    int files = 0;
    for (const char* folder : {"images", "sounds"})
        for (const auto& entry : fs::directory_iterator(out / folder)) {
            ++files;
            const std::string relative = std::string(folder) + "/" + entry.path().filename().string();
            EXPECT_TRUE(readBytes(entry.path().string()) == readBytes(mediaPath(relative))) << relative << " differs";
        }
    EXPECT_EQ(files, int(pictureCount + soundCount));
}

TEST(Generator, RefusesBadCommandLinesAndUnwritableFolders)
{
    EXPECT_EQ(runGenerator(""), 2);
    EXPECT_EQ(runGenerator("a b"), 2);
    EXPECT_EQ(runGenerator("--bogus"), 2);
    // A path below a regular file cannot be created.
    ScratchDir scratch;
    const fs::path file = fs::path(scratch.path) / "file";
    std::ofstream(file) << "x";
    EXPECT_EQ(runGenerator((file / "out").string()), 1);
}

TEST(Generator, PngPreviewKeepsSizeAndTopRowFirst)
{
    ScratchDir scratch;
    Picture p = makePicture(3, 2);
    setPixel(p, 0, 0, rgb255(255, 0, 0));
    const std::string path = scratch.path + "/tiny.png";
    ASSERT_TRUE(writePng(path, p));
    const Bytes png = readBytes(path);
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(std::string(png.begin() + 1, png.begin() + 4), "PNG");
    auto be32 = [&](size_t at) { return (png[at] << 24) | (png[at + 1] << 16) | (png[at + 2] << 8) | png[at + 3]; };
    EXPECT_EQ(std::string(png.begin() + 12, png.begin() + 16), "IHDR");
    EXPECT_EQ(be32(16), 3);
    EXPECT_EQ(be32(20), 2);
    EXPECT_FALSE(writePng(scratch.path + "/missing/x.png", p));
}

TEST(Noise, PeriodicNoiseWrapsSoTexturesTile)
{
    for (float x = 0.05f; x < 4; x += 0.37f)
        for (float y = 0.1f; y < 3; y += 0.29f) {
            EXPECT_NEAR(fractalNoise(x, y, 0.5f, 7, 4, 0.5f, 4, 3), fractalNoise(x + 4, y, 0.5f, 7, 4, 0.5f, 4, 3), 1e-4f);
            EXPECT_NEAR(fractalNoise(x, y, 0.5f, 7, 4, 0.5f, 4, 3), fractalNoise(x, y + 3, 0.5f, 7, 4, 0.5f, 4, 3), 1e-4f);
        }
    // Without a period it does not repeat, and seeds give different fields.
    int same = 0, sameSeed = 0;
    for (float x = 0.05f; x < 4; x += 0.37f) {
        same += std::fabs(gradientNoise(x, 0.3f, 0.5f, 7) - gradientNoise(x + 4, 0.3f, 0.5f, 7)) < 1e-4f;
        sameSeed += std::fabs(gradientNoise(x, 0.3f, 0.5f, 7) - gradientNoise(x, 0.3f, 0.5f, 8)) < 1e-4f;
    }
    EXPECT_LT(same, 3);
    EXPECT_LT(sameSeed, 3);
}
