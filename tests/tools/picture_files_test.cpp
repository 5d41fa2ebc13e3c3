#include "tests/support/media_files.h"
#include "tests/tools/media_reading.h"
#include "tools/mediagen/picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace {

bool powerOfTwo(std::int32_t v) { return v > 0 && (v & (v - 1)) == 0; }

struct Mean {
    double r = 0, g = 0, b = 0;
};

Mean meanColour(const Bmp& bmp)
{
    Mean m;
    const size_t n = bmp.rgb.size() / 3;
    for (size_t i = 0; i < n; ++i) {
        m.r += bmp.rgb[3 * i];
        m.g += bmp.rgb[3 * i + 1];
        m.b += bmp.rgb[3 * i + 2];
    }
    return {m.r / n, m.g / n, m.b / n};
}

} // namespace

TEST(PictureFiles, EveryPictureIsAnUncompressedBottomUp24BitBmp)
{
    for (const char* name : pictureFiles) {
        SCOPED_TRACE(name);
        const Bytes file = readBytes(mediaPath(std::string("images/") + name));
        ASSERT_GE(file.size(), 54u);
        EXPECT_EQ(file[0], 'B');
        EXPECT_EQ(file[1], 'M');
        EXPECT_EQ(le(file, 2, 4), file.size());
        EXPECT_EQ(le(file, 14, 4), 40u);
        const auto width = static_cast<std::int32_t>(le(file, 18, 4));
        const auto height = static_cast<std::int32_t>(le(file, 22, 4));
        EXPECT_TRUE(powerOfTwo(width)) << width;
        EXPECT_TRUE(powerOfTwo(height)) << height; // positive: bottom-up
        EXPECT_EQ(le(file, 26, 2), 1u);
        EXPECT_EQ(le(file, 28, 2), 24u);
        EXPECT_EQ(le(file, 30, 4), 0u); // BI_RGB
        const size_t rowBytes = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
        EXPECT_EQ(le(file, 10, 4) + rowBytes * height, file.size());
    }
}

TEST(PictureFiles, BmpWriterPadsRowsAndStoresTheBottomRowFirstInBgrOrder)
{
    // Width 5: 15 bytes of pixels, padded to 16 per row.
    Picture p = makePicture(5, 2);
    setPixel(p, 0, 0, rgb255(10, 20, 30));  // top row
    setPixel(p, 0, 1, rgb255(40, 50, 60));  // bottom row
    setPixel(p, 4, 1, rgb255(70, 80, 90));
    const std::vector<std::uint8_t> file = encodeBmp(p);
    ASSERT_EQ(file.size(), 54u + 2 * 16);
    EXPECT_EQ(le(file, 2, 4), file.size());
    EXPECT_EQ(le(file, 34, 4), 32u);
    const std::vector<std::uint8_t> bottomFirst(file.begin() + 54, file.begin() + 57);
    EXPECT_EQ(bottomFirst, (std::vector<std::uint8_t>{60, 50, 40}));
    EXPECT_EQ(std::vector<std::uint8_t>(file.begin() + 66, file.begin() + 69), (std::vector<std::uint8_t>{90, 80, 70}));
    EXPECT_EQ(file[69], 0); // padding
    EXPECT_EQ(std::vector<std::uint8_t>(file.begin() + 70, file.begin() + 73), (std::vector<std::uint8_t>{30, 20, 10}));
}

TEST(PictureFiles, SixWoodsAreClearlyDifferentFromEachOther)
{
    std::vector<Mean> means;
    for (int i = 1; i <= 6; ++i)
        means.push_back(meanColour(loadBmp("wood" + std::to_string(i) + ".bmp")));
    for (int a = 0; a < 6; ++a)
        for (int b = a + 1; b < 6; ++b) {
            const double d = std::sqrt(std::pow(means[a].r - means[b].r, 2) + std::pow(means[a].g - means[b].g, 2) +
                                       std::pow(means[a].b - means[b].b, 2));
            EXPECT_GT(d, 12.0) << "wood" << a + 1 << " and wood" << b + 1 << " look alike";
        }
}

TEST(PictureFiles, SurfacesHaveTheirCharacter)
{
    // Glass is pale and tinted blue-green; metal is grey; both have texture.
    const Mean glass = meanColour(loadBmp("glass.bmp"));
    EXPECT_GT((glass.r + glass.g + glass.b) / 3, 180.0);
    EXPECT_GT(glass.g, glass.r + 10);
    EXPECT_GT(glass.b, glass.r + 10);
    const Mean metal = meanColour(loadBmp("metal.bmp"));
    EXPECT_LT(std::fabs(metal.r - metal.b), 20.0);
    EXPECT_LT(std::fabs(metal.r - metal.g), 20.0);
    for (const char* name : {"glass.bmp", "metal.bmp", "ball.bmp", "wood1.bmp"}) {
        const Bmp bmp = loadBmp(name);
        const auto [lo, hi] = std::minmax_element(bmp.rgb.begin(), bmp.rgb.end());
        EXPECT_GT(*hi - *lo, 40) << name << " is flat";
    }
}

TEST(PictureFiles, MetalIsBrushedAlongItsRowsWithNothingThatShowsStretching)
{
    // Long faces stretch the picture many times over. Streaks running along
    // the rows stay streaks; rivets, a frame or scratches would stand out
    // from their row and smear into ovals and bands.
    const Bmp metal = loadBmp("metal.bmp");
    auto brightness = [&](int x, int y) {
        const Bmp::Texel t = metal.at(x, y);
        return (t.r + t.g + t.b) / 3.0;
    };
    double worst = 0;
    int worstX = 0, worstY = 0;
    for (int y = 0; y < metal.height; ++y) {
        double mean = 0;
        for (int x = 0; x < metal.width; ++x)
            mean += brightness(x, y) / metal.width;
        for (int x = 0; x < metal.width; ++x) {
            if (std::fabs(brightness(x, y) - mean) > worst) {
                worst = std::fabs(brightness(x, y) - mean);
                worstX = x;
                worstY = y;
            }
        }
    }
    EXPECT_LT(worst, 24.0) << "texel (" << worstX << ", " << worstY << ") stands out from its row";
}

TEST(PictureFiles, BallLooksDifferentWhenTurnedHalfWayRound)
{
    // A pattern that repeated around the ball would hide its rolling.
    const Bmp ball = loadBmp("ball.bmp");
    double difference = 0;
    const int row = ball.height / 2;
    for (int x = 0; x < ball.width; ++x) {
        const auto a = ball.at(x, row), b = ball.at((x + ball.width / 2) % ball.width, row);
        difference += std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
    }
    EXPECT_GT(difference / ball.width, 60.0);
}

namespace {

// Gold lettering on a dark night sky.
bool ink(const Bmp::Texel& t) { return t.r > 180 && t.r - t.b > 60; }

struct Span {
    int first, last;
};

// Column ranges that contain lettering, left to right.
std::vector<Span> letterColumns(const Bmp& bmp)
{
    std::vector<Span> spans;
    bool inside = false;
    for (int x = 0; x < bmp.width; ++x) {
        bool any = false;
        for (int y = 0; y < bmp.height && !any; ++y)
            any = ink(bmp.at(x, y));
        if (any && !inside)
            spans.push_back({x, x});
        if (any)
            spans.back().last = x;
        inside = any;
    }
    return spans;
}

// Lettering texels in one column.
int columnInk(const Bmp& bmp, int x)
{
    int n = 0;
    for (int y = 0; y < bmp.height; ++y)
        n += ink(bmp.at(x, y));
    return n;
}

int inkCount(const Bmp& bmp, int x0, int x1, int row)
{
    int n = 0;
    for (int x = x0; x <= x1; ++x)
        n += ink(bmp.at(x, row));
    return n;
}

// Lowest and highest file rows with lettering in a column range.
std::pair<int, int> inkRows(const Bmp& bmp, Span columns)
{
    int low = bmp.height, high = -1;
    for (int y = 0; y < bmp.height; ++y)
        if (inkCount(bmp, columns.first, columns.last, y) > 0) {
            low = std::min(low, y);
            high = std::max(high, y);
        }
    return {low, high};
}

} // namespace

TEST(PictureFiles, EndPictureReadsTheEndUprightAndUnmirrored)
{
    const Bmp end = loadBmp("theEnd.bmp");
    const std::vector<Span> letters = letterColumns(end);
    ASSERT_EQ(letters.size(), 6u); // T H E E N D

    // The T: its bar is at the top of the picture, i.e. in the last file rows.
    const Span t = letters[0];
    const auto [low, high] = inkRows(end, t);
    ASSERT_LT(low, high);
    EXPECT_GT(inkCount(end, t.first, t.last, high - 3), 2 * inkCount(end, t.first, t.last, low + 3));
    // Lettering sits in the middle band of the screen.
    EXPECT_NEAR((low + high) / 2.0, end.height / 2.0, end.height * 0.1);

    // The first E: a full stem on its left, only bar ends on its right.
    const Span e = letters[2];
    EXPECT_GT(columnInk(end, e.first + 3), 2 * columnInk(end, e.last - 3));
}

TEST(PictureFiles, EndPictureLettersAreNarrowedForTheWideScreen)
{
    // Stretched over a 5:4 screen, a square texture widens by 1.25; the
    // T's stem and bar must come out equally thick there.
    const Bmp end = loadBmp("theEnd.bmp");
    const std::vector<Span> letters = letterColumns(end);
    ASSERT_FALSE(letters.empty());
    const Span t = letters[0];
    const auto [low, high] = inkRows(end, t);
    const int stemWidth = inkCount(end, t.first, t.last, (low + high) / 2);
    const int barThickness = columnInk(end, t.first + (t.last - t.first) / 6);
    ASSERT_GT(barThickness, 0);
    EXPECT_NEAR(static_cast<double>(stemWidth) / barThickness, 0.8, 0.1);
}
