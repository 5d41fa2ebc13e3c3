#include "render/menu_picture.h"

#include <algorithm>

#include "render/font_layout.h"

namespace {

// A row leaves room above and below its letters for a pointer or a finger.
constexpr float rowSpacing = 1.5f;
constexpr int gapColumns = 3;       // between a label and its value
constexpr int swatchColumns = 3;    // the swatch and the space after it
constexpr int markerColumns = 2;    // "> " before the picked row

int textColumns(const MenuRowPicture& row)
{
    const int swatch = row.swatch == MenuSwatch::None ? 0 : swatchColumns;
    const int value = row.value.empty() ? 0 : gapColumns + int(row.value.size());
    return markerColumns + swatch + int(row.label.size()) + value;
}

}  // namespace

MenuLayout layoutMenu(const MenuPicture& picture, int width, int height)
{
    MenuLayout layout;
    int columns = std::max({int(picture.title.size()), int(picture.hint.size()), int(picture.notice.size()), 24});
    for (const MenuRowPicture& row : picture.rows) columns = std::max(columns, textColumns(row));
    columns += 2;  // a margin each side

    // The size asked for, unless the widest line would not fit: then as
    // large as fits, and never below the size the game's text has always had.
    const float asked = std::clamp(picture.textSize, 1.0f, 2.0f);
    const float fits = float(width - 16) / float(columns * glyphAdvance);
    layout.scale = std::max(1.0f, std::min(asked, fits));
    layout.glyphWidth = int(glyphAdvance * layout.scale);
    layout.glyphHeight = int(glyphHeight * layout.scale);
    const int rowHeight = int(float(layout.glyphHeight) * rowSpacing);
    const int panelWidth = std::min(width - 8, columns * layout.glyphWidth);
    // On a screen too narrow even at size 1, the ends of long lines are cut.
    layout.columns = std::max(1, std::min(columns - 2, panelWidth / layout.glyphWidth - 2));
    const int lines = 2 + (picture.notice.empty() ? 0 : 1) + 1;  // title (and a gap), notice, hint
    const int fixed = lines * rowHeight + rowHeight / 2;
    const int room = std::max(1, (height - 16 - fixed) / rowHeight);
    const int rowCount = int(picture.rows.size());
    const bool scrolls = rowCount > room;
    const int shown = scrolls ? std::max(1, room - 2) : rowCount;
    // The picked row stays in view: at the bottom when the list runs past it.
    if (picture.selected >= shown) layout.firstRow = std::min(picture.selected - shown + 1, rowCount - shown);
    layout.moreAbove = layout.firstRow > 0;
    layout.moreBelow = layout.firstRow + shown < rowCount;

    const int panelHeight = fixed + (scrolls ? shown + 2 : shown) * rowHeight;
    layout.panel.left = (width - panelWidth) / 2;
    layout.panel.right = layout.panel.left + panelWidth;
    layout.panel.top = std::max(4, (height - panelHeight) / 2);
    layout.panel.bottom = layout.panel.top + panelHeight;

    const int inner = layout.panel.left + layout.glyphWidth;
    const int innerRight = layout.panel.right - layout.glyphWidth;
    int y = layout.panel.top + rowHeight / 4;
    layout.title = {inner, y, innerRight, y + rowHeight};
    y += 2 * rowHeight;
    if (scrolls) {
        layout.scrollUp = {inner, y, innerRight, y + rowHeight};
        y += rowHeight;
    }
    for (int i = 0; i < shown; ++i, y += rowHeight) layout.rows.push_back({inner, y, innerRight, y + rowHeight});
    if (scrolls) {
        layout.scrollDown = {inner, y, innerRight, y + rowHeight};
        y += rowHeight;
    }
    if (!picture.notice.empty()) {
        layout.notice = {inner, y, innerRight, y + rowHeight};
        y += rowHeight;
    }
    layout.hint = {inner, y, innerRight, y + rowHeight};
    return layout;
}

int menuRowAt(const MenuPicture& picture, const MenuLayout& layout, int x, int y)
{
    for (size_t i = 0; i < layout.rows.size(); ++i) {
        if (!layout.rows[i].contains(x, y)) continue;
        const int row = layout.firstRow + int(i);
        if (row < int(picture.rows.size()) && picture.rows[size_t(row)].selectable) return row;
        return -1;
    }
    return -1;
}
