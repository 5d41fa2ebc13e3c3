#pragma once
// Where a character lies in the font picture ("images/font.bmp", made by
// the media generator) and how large it is drawn: a grid of 16 by 8 cells of
// 32 texels, character code c in column c % 16 and row c / 16 from the top,
// the glyph in the cell's left 20 texels.

constexpr int fontColumns = 16;
constexpr int fontRows = 8;
constexpr int fontCellTexels = 32;
constexpr int fontGlyphTexels = 20;
// On screen, in window pixels.
constexpr int glyphAdvance = 12;
constexpr int glyphHeight = 20;
