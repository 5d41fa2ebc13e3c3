#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "assets/bitmap.h"
#include "tests/support/media_files.h"

namespace {

Rgb patternAt(int x, int y)
{
    return Rgb{static_cast<unsigned char>(10 + x), static_cast<unsigned char>(100 + y),
               static_cast<unsigned char>(200 + x + y)};
}

Rgb pixelOf(const Image* image, int x, int y)
{
    const unsigned char* p = image->pixels + (size_t(y) * size_t(image->width) + size_t(x)) * 3;
    return Rgb{p[0], p[1], p[2]};
}

class BitmapTest : public ::testing::Test {
protected:
    ScratchDir dir;
    void SetUp() override { mkdir("images", 0755); }

    // Loads images/<name>, expecting a clean refusal with one line naming it.
    void expectRejected(const std::string& name)
    {
        Image* image = nullptr;
        const std::string err = stderrOf([&] { image = loadBitmap(name.c_str()); });
        EXPECT_EQ(image, nullptr);
        freeImage(image);
        EXPECT_EQ(countLines(err), 1) << err;
        EXPECT_NE(err.find("images/" + name.substr(0, 40)), std::string::npos) << err;
    }
};

void expectPattern(const Image* image, int width, int height)
{
    ASSERT_NE(image, nullptr);
    ASSERT_EQ(image->width, width);
    ASSERT_EQ(image->height, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            ASSERT_EQ(pixelOf(image, x, y), patternAt(x, y)) << "x " << x << " y " << y;
}

TEST_F(BitmapTest, InfoHeaderPictureIsReadAsRgbInFileRowOrder)
{
    // The signature is not checked: any two bytes will do.
    auto bytes = makeBmp(64, 32, 40, patternAt);
    bytes[0] = 'X';
    bytes[1] = 'Y';
    writeFile("images/a.bmp", bytes);
    Image* image = loadBitmap("a.bmp");
    expectPattern(image, 64, 32);
    freeImage(image);
}

TEST_F(BitmapTest, CoreHeaderAndPaddedRows)
{
    // Width 5: 15 bytes of pixels per row, padded to 16 in the file.
    for (int infoSize : {40, 12}) {
        SCOPED_TRACE(infoSize);
        writeFile("images/p.bmp", makeBmp(5, 3, infoSize, patternAt));
        Image* image = loadBitmap("p.bmp");
        expectPattern(image, 5, 3);
        freeImage(image);
    }
}

TEST_F(BitmapTest, TopDownPictureComesOutBottomRowFirst)
{
    // The file stores pattern row 0 first, but that is the top of the picture.
    auto bytes = makeBmp(3, -4, 40, patternAt);
    writeFile("images/t.bmp", bytes);
    Image* image = loadBitmap("t.bmp");
    ASSERT_NE(image, nullptr);
    ASSERT_EQ(image->height, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(pixelOf(image, x, y), patternAt(x, 3 - y));
    freeImage(image);
}

TEST_F(BitmapTest, SizeCapAndLongestName)
{
    writeFile("images/wide.bmp", makeBmp(4096, 1, 40, [](int x, int) {
        return Rgb{static_cast<unsigned char>(x), 1, 2};
    }));
    Image* image = loadBitmap("wide.bmp");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(pixelOf(image, 4095, 0), (Rgb{255, 1, 2}));
    freeImage(image);

    // One past the cap is refused even with every byte of its data present.
    writeFile("images/wider.bmp", makeBmp(4097, 1, 40, patternAt));
    expectRejected("wider.bmp");
    writeFile("images/taller.bmp", makeBmp(1, 4097, 40, patternAt));
    expectRejected("taller.bmp");

    std::string name(92, 'n');
    writeFile("images/" + name, makeBmp(2, 2, 40, patternAt));
    image = loadBitmap(name.c_str());
    expectPattern(image, 2, 2);
    freeImage(image);
}

TEST_F(BitmapTest, HugeSparseFileIsRefusedFromItsHeader)
{
    // A 54-byte header claiming 16384 x 16384 in a sparse file of the full
    // claimed length (805 MB on paper, nothing on disk).
    auto header = makeBmp(1, 1, 40, patternAt);
    header.resize(54);
    putLe(header, 18, 16384, 4);
    putLe(header, 22, 16384, 4);
    writeFile("images/huge.bmp", header);
    ASSERT_EQ(truncate("images/huge.bmp", 54 + 16384LL * 16384 * 3), 0);
    expectRejected("huge.bmp");
}

TEST_F(BitmapTest, MalformedFilesAreRejectedCleanly)
{
    struct Case {
        const char* what;
        std::function<void(std::vector<unsigned char>&)> damage;
        int infoSize = 40;
    };
    const Case cases[] = {
        {"empty", [](auto& b) { b.clear(); }},
        {"shorter than the file header", [](auto& b) { b.resize(10); }},
        {"info header cut short", [](auto& b) { b.resize(30); }},
        {"info header size 108", [](auto& b) { putLe(b, 14, 108, 4); }},
        {"info header size 0", [](auto& b) { putLe(b, 14, 0, 4); }},
        {"info header size huge", [](auto& b) { putLe(b, 14, 0xffffffffu, 4); }},
        {"8 bits per pixel", [](auto& b) { putLe(b, 28, 8, 2); }},
        {"32 bits per pixel", [](auto& b) { putLe(b, 28, 32, 2); }},
        {"run-length compressed", [](auto& b) { putLe(b, 30, 1, 4); }},
        {"bit fields", [](auto& b) { putLe(b, 30, 3, 4); }},
        {"width 0", [](auto& b) { putLe(b, 18, 0, 4); }},
        {"height 0", [](auto& b) { putLe(b, 22, 0, 4); }},
        {"negative width", [](auto& b) { putLe(b, 18, uint32_t(-5), 4); }},
        {"width over the cap", [](auto& b) { putLe(b, 18, 4097, 4); }},
        {"largest width", [](auto& b) { putLe(b, 18, uint32_t(INT_MAX), 4); }},
        {"most negative height", [](auto& b) { putLe(b, 22, uint32_t(INT_MIN), 4); }},
        {"pixel data one byte short", [](auto& b) { b.pop_back(); }},
        {"pixel offset past the end", [](auto& b) { putLe(b, 10, 5000, 4); }},
        {"pixel offset at the top of the range", [](auto& b) { putLe(b, 10, 0xffffffffu, 4); }},
        {"height larger than the data", [](auto& b) { putLe(b, 22, 4, 4); }},
        {"core header cut short", [](auto& b) { b.resize(22); }, 12},
        {"core header negative height", [](auto& b) { putLe(b, 20, uint16_t(-3), 2); }, 12},
        {"core header 8 bits per pixel", [](auto& b) { putLe(b, 24, 8, 2); }, 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto bytes = makeBmp(5, 3, c.infoSize, patternAt);
        c.damage(bytes);
        writeFile("images/bad.bmp", bytes);
        expectRejected("bad.bmp");
    }
}

TEST_F(BitmapTest, MissingFileFolderAndOverlongNameAreRejected)
{
    expectRejected("nothere.bmp");
    mkdir("images/folder.bmp", 0755);
    expectRejected("folder.bmp");
    std::string name(93, 'n');
    writeFile("images/" + name.substr(0, 92), makeBmp(2, 2, 40, patternAt));
    expectRejected(name);

    EXPECT_EQ(countLines(stderrOf([] { EXPECT_EQ(loadBitmap(nullptr), nullptr); })), 1);
    freeImage(nullptr);
}

}  // namespace
