// A menu screen as overlay draws: the game dimmed behind it, a panel in the
// course's colours (night-sky blue framed in the wood's honey colour), the
// rows in the game's font, the picked row on a wooden band and marked with
// "> " as well, so that the pick never shows by colour alone.

#include <algorithm>

#include "render/font_layout.h"
#include "render/frame.h"
#include "render/menu_picture.h"

namespace {

struct Colour {
    float r, g, b, a;
};

constexpr Colour shade{0.0f, 0.0f, 0.0f, 0.45f};
constexpr Colour panelBlue{0.06f, 0.10f, 0.20f, 0.88f};
constexpr Colour frameHoney{0.86f, 0.64f, 0.30f, 1.0f};
constexpr Colour pickedWood{0.50f, 0.32f, 0.14f, 0.95f};
constexpr Colour titleGold{1.0f, 0.84f, 0.32f, 1.0f};
constexpr Colour rowWhite{0.95f, 0.95f, 0.92f, 1.0f};
constexpr Colour infoBlue{0.70f, 0.78f, 0.90f, 1.0f};
constexpr Colour hintGrey{0.62f, 0.66f, 0.72f, 1.0f};
constexpr Colour noticeAmber{1.0f, 0.70f, 0.25f, 1.0f};

// Draws of the scratch mesh in window pixels, over everything, unlit.
Draw& addScreenDraw(Frame& frame, uint32_t firstRun)
{
    Draw draw{};
    draw.pass = Pass::Overlay;
    draw.geometry.scratch = true;
    draw.geometry.firstRun = firstRun;
    draw.geometry.runCount = uint32_t(frame.scratch.runs.size()) - firstRun;
    draw.modelView = identityMat4;
    draw.screenSpace = true;
    draw.material.lit = false;
    draw.state.depthTest = false;
    draw.state.shader = false;
    frame.draws.push_back(draw);
    return frame.draws.back();
}

// A rectangle given from the top left, as the layout has it, placed in the
// overlay's pixels (origin bottom left).
void addQuad(Frame& frame, const MenuRect& r, float s0 = 0, float t0 = 0, float s1 = 0, float t1 = 0)
{
    const float toward[3] = {0.0f, 0.0f, 1.0f};
    const float bottom = float(frame.height - r.bottom);
    const float top = float(frame.height - r.top);
    addVertex(frame.scratch, float(r.left), bottom, 0.0f, toward, s0, t0);
    addVertex(frame.scratch, float(r.right), bottom, 0.0f, toward, s1, t0);
    addVertex(frame.scratch, float(r.right), top, 0.0f, toward, s1, t1);
    addVertex(frame.scratch, float(r.left), top, 0.0f, toward, s0, t1);
}

void setColour(Surface& material, const Colour& c)
{
    material.colour[0] = c.r;
    material.colour[1] = c.g;
    material.colour[2] = c.b;
    material.colour[3] = c.a;
}

void addFill(Frame& frame, const std::vector<MenuRect>& rects, const Colour& colour)
{
    const uint32_t firstRun = uint32_t(frame.scratch.runs.size());
    beginRun(frame.scratch, Primitive::Quads);
    for (const MenuRect& r : rects) addQuad(frame, r);
    endRun(frame.scratch);
    setColour(addScreenDraw(frame, firstRun).material, colour);
}

// A line of text from (x, top), at most `columns` characters.
void addText(Frame& frame, const MenuLayout& layout, const std::string& text, int x, int top, int columns,
             const Colour& colour, const TextureIds& textures)
{
    const float cellS = 1.0f / fontColumns;
    const float cellT = 1.0f / fontRows;
    const float glyphS = float(fontGlyphTexels) / float(fontCellTexels) * cellS;
    const uint32_t firstRun = uint32_t(frame.scratch.runs.size());
    beginRun(frame.scratch, Primitive::Quads);
    const size_t count = std::min(text.size(), size_t(std::max(columns, 0)));
    for (size_t k = 0; k < count; ++k) {
        const unsigned char c = static_cast<unsigned char>(text[k]);
        if (c <= ' ' || c >= 128) continue;
        const float s0 = float(c % fontColumns) * cellS;
        const float t1 = 1.0f - float(c / fontColumns) * cellT;
        const int left = x + int(k) * layout.glyphWidth;
        addQuad(frame, {left, top, left + layout.glyphWidth, top + layout.glyphHeight}, s0, t1 - cellT, s0 + glyphS, t1);
    }
    endRun(frame.scratch);
    Draw& draw = addScreenDraw(frame, firstRun);
    setColour(draw.material, colour);
    draw.material.texture = textures.font;
    draw.material.filter = Filter::Linear;
    // Light letters added onto the dark panel.
    draw.state.blend = Blend::Add;
}

unsigned int swatchTexture(MenuSwatch swatch, const TextureIds& textures)
{
    switch (swatch) {
    case MenuSwatch::None: return 0;
    case MenuSwatch::Metal: return textures.metal;
    case MenuSwatch::Glass: return textures.glass;
    case MenuSwatch::Ball: return textures.ball;
    default: return textures.wood[int(swatch) - int(MenuSwatch::Wood0)];
    }
}

// The text's top in a line of this rectangle, centred.
int textTop(const MenuRect& line, const MenuLayout& layout)
{
    return line.top + (line.bottom - line.top - layout.glyphHeight) / 2;
}

}  // namespace

void addMenu(Frame& frame, const MenuPicture& picture, const TextureIds& textures)
{
    const MenuLayout layout = layoutMenu(picture, frame.width, frame.height);
    addFill(frame, {{0, 0, frame.width, frame.height}}, shade);
    const MenuRect& p = layout.panel;
    addFill(frame, {p}, panelBlue);
    const int edge = std::max(2, int(3 * layout.scale));
    addFill(frame,
            {{p.left, p.top, p.right, p.top + edge},
             {p.left, p.bottom - edge, p.right, p.bottom},
             {p.left, p.top, p.left + edge, p.bottom},
             {p.right - edge, p.top, p.right, p.bottom},
             // Under the title, a rule.
             {layout.title.left, layout.title.bottom + edge, layout.title.right, layout.title.bottom + 2 * edge}},
            frameHoney);

    const int gw = layout.glyphWidth;
    addText(frame, layout, picture.title, layout.title.left, textTop(layout.title, layout), layout.columns, titleGold,
            textures);
    for (size_t i = 0; i < layout.rows.size(); ++i) {
        const int index = layout.firstRow + int(i);
        const MenuRowPicture& row = picture.rows[size_t(index)];
        const MenuRect& line = layout.rows[i];
        const bool picked = index == picture.selected;
        if (picked) addFill(frame, {{line.left - gw / 2, line.top, line.right + gw / 2, line.bottom}}, pickedWood);
        const Colour& colour = row.selectable ? rowWhite : infoBlue;
        const int top = textTop(line, layout);
        int x = line.left;
        if (picked) addText(frame, layout, ">", x, top, 1, titleGold, textures);
        x += 2 * gw;
        int columns = layout.columns - 2;
        if (row.swatch != MenuSwatch::None) {
            const int side = layout.glyphHeight;
            const uint32_t firstRun = uint32_t(frame.scratch.runs.size());
            beginRun(frame.scratch, Primitive::Quads);
            addQuad(frame, {x, top, x + side, top + side}, 0, 0, 1, 1);
            endRun(frame.scratch);
            Draw& draw = addScreenDraw(frame, firstRun);
            draw.material.texture = swatchTexture(row.swatch, textures);
            draw.material.filter = Filter::Mipmapped;
            draw.state.blend = Blend::Off;
            x += 3 * gw;
            columns -= 3;
        }
        const int valueColumns = std::min(int(row.value.size()), columns);
        const int labelColumns = row.value.empty() ? columns : std::max(0, columns - valueColumns - 3);
        addText(frame, layout, row.label, x, top, labelColumns, colour, textures);
        if (!row.value.empty()) {
            addText(frame, layout, row.value, line.right - valueColumns * gw, top, valueColumns, colour, textures);
        }
    }
    // A long list shows that it goes on, in strips a pointer can move it by.
    const std::string up = layout.moreAbove ? "^  more  ^" : "";
    const std::string down = layout.moreBelow ? "v  more  v" : "";
    for (const auto& [strip, text] : {std::pair{layout.scrollUp, up}, std::pair{layout.scrollDown, down}}) {
        if (text.empty()) continue;
        const int x = (strip.left + strip.right - int(text.size()) * gw) / 2;
        addText(frame, layout, text, x, textTop(strip, layout), layout.columns, frameHoney, textures);
    }
    if (!picture.notice.empty()) {
        addText(frame, layout, picture.notice, layout.notice.left, textTop(layout.notice, layout), layout.columns,
                noticeAmber, textures);
    }
    addText(frame, layout, picture.hint, layout.hint.left, textTop(layout.hint, layout), layout.columns, hintGrey,
            textures);
}
