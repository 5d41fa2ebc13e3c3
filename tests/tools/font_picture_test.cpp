// The overlay's font picture: every printable character inked inside its
// own glyph box, nothing anywhere else, and no two characters alike.

#include "render/font_layout.h"
#include "tools/mediagen/pictures.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

// The cell's texels, 255 where a stroke is, read row by row.
std::vector<std::uint8_t> cellOf(const Picture& font, int c, int width)
{
    std::vector<std::uint8_t> cell;
    const int left = (c % fontColumns) * fontCellTexels;
    const int top = (c / fontColumns) * fontCellTexels;
    for (int y = 0; y < fontCellTexels; ++y)
        for (int x = 0; x < width; ++x) cell.push_back(font.rgb[(size_t(top + y) * font.width + left + x) * 3]);
    return cell;
}

int ink(const std::vector<std::uint8_t>& cell)
{
    int sum = 0;
    for (std::uint8_t v : cell) sum += v > 127;
    return sum;
}

TEST(FontPicture, PrintableCharactersInkTheirGlyphBoxOnly)
{
    const Picture font = makeFont();
    ASSERT_EQ(font.width, fontColumns * fontCellTexels);
    ASSERT_EQ(font.height, fontRows * fontCellTexels);
    std::set<std::vector<std::uint8_t>> seen;
    for (int c = 0; c < fontColumns * fontRows; ++c) {
        SCOPED_TRACE(c);
        const std::vector<std::uint8_t> whole = cellOf(font, c, fontCellTexels);
        const std::vector<std::uint8_t> glyph = cellOf(font, c, fontGlyphTexels);
        EXPECT_EQ(ink(whole), ink(glyph)) << "ink outside the glyph box";
        const bool printable = c > ' ' && c < 127;
        if (!printable) {
            EXPECT_EQ(ink(whole), 0);
            continue;
        }
        EXPECT_GT(ink(glyph), 8);
        EXPECT_TRUE(seen.insert(glyph).second) << "looks like another character";
        // Grey edges: the strokes are smoothed, not bare squares.
        int grey = 0;
        for (std::uint8_t v : glyph) grey += v > 20 && v < 235;
        EXPECT_GT(grey, 0);
    }
}

TEST(FontPicture, ThinCharactersStayNarrowAndWideOnesFill)
{
    const Picture font = makeFont();
    // Columns of the glyph box with any ink.
    auto inkedColumns = [&](char c) {
        const std::vector<std::uint8_t> cell = cellOf(font, c, fontGlyphTexels);
        int columns = 0;
        for (int x = 0; x < fontGlyphTexels; ++x) {
            bool any = false;
            for (int y = 0; y < fontCellTexels; ++y) any = any || cell[size_t(y) * fontGlyphTexels + x] > 127;
            columns += any;
        }
        return columns;
    };
    const struct {
        char c;
        int least, most;
    } cases[] = {{'.', 3, 8}, {':', 3, 8}, {'|', 1, 4}, {'M', 14, 20}, {'%', 14, 20}, {'0', 14, 20}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.c);
        EXPECT_GE(inkedColumns(k.c), k.least);
        EXPECT_LE(inkedColumns(k.c), k.most);
    }
}

} // namespace
