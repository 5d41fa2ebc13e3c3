// Each kind of menu screen drawn over the game by both renderers, read back
// as pixels: the panel in the course's colours where the layout puts it, the
// picked row on its band, letters of a readable height at 640 x 480, and the
// same for both renderers. With SKYCOURSE_MENU_PICTURES naming a folder, each
// screen is also written there as a PNG at 1280 x 1024 (docs/menus/).

#include <gtest/gtest.h>

#include <GL/gl.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/menu/menu.h"
#include "render/graphics.h"
#include "tools/headless/egl_context.h"
#include "tools/headless/framebuffer.h"
#include "tools/replay/png_file.h"
#include "world/level.h"

namespace {

constexpr int largest = 1280;
constexpr int tallest = 1024;

struct Renderers {
    Graphics classic;
    Graphics shaders;
};

Renderers& renderers()
{
    static Renderers* made = [] {
        if (!makeHeadlessContext() || makeOffscreenFramebuffer(largest, tallest) == 0) std::abort();
        char* here = getcwd(nullptr, 0);
        if (here == nullptr || chdir(GAME_DIR) != 0) std::abort();
        Renderers* r = new Renderers;
        r->classic = initGraphics(buildLevel(), Renderer::Classic);
        r->shaders = initGraphics(buildLevel(), Renderer::Shaders);
        if (chdir(here) != 0) std::abort();
        std::free(here);
        return r;
    }();
    return *made;
}

struct Shot {
    int width, height;
    std::vector<unsigned char> rgba;  // bottom row first

    // The pixel at (x, y) from the top left, as the layout counts.
    const unsigned char* at(int x, int y) const { return &rgba[(size_t(height - 1 - y) * size_t(width) + size_t(x)) * 4]; }
};

Shot draw(Graphics& graphics, const Game& game, const MenuPicture* picture, int width, int height)
{
    FrameInput input;
    input.game = &game;
    input.width = width;
    input.height = height;
    input.menu = picture;
    if (graphics.renderer == Renderer::Classic) useShaderProgram(graphics.shader, true);
    glViewport(0, 0, width, height);
    drawGame(graphics, input);
    Shot shot{width, height, std::vector<unsigned char>(size_t(width) * height * 4)};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, shot.rgba.data());
    return shot;
}

// From the first to the last row of pixels within `r` with bright letters.
int letterHeight(const Shot& shot, const MenuRect& r)
{
    int first = -1, last = -1;
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right && last != y; ++x) {
            const unsigned char* p = shot.at(x, y);
            if (p[0] > 150 && p[1] > 150 && p[2] > 110) last = y, first = first < 0 ? y : first;
        }
    }
    return first < 0 ? 0 : last - first + 1;
}

struct Screen {
    const char* name;
    MenuScreen screen;
    int selected;
};

MenuData someData()
{
    MenuData data;
    data.courses = {{"Skycourse", 95000, 83450, "builtin"}, {"Beams and lifts", 60000, 0, "beams"},
                    {"Glass shafts", 0, 0, "glass"}};
    data.times = {{"Skycourse",
                   {{83450, "2026-12-01 10:00"}, {85120, "2026-11-30 09:12"}, {90000, "2026-11-29 21:40"}},
                   {21300, 44800, 62050, 83450},
                   81900}};
    return data;
}

MenuPicture pictureOf(const Screen& s, float textSize)
{
    Menu menu = openMenu({}, {});
    menu.settings.textSize = textSize;
    menu.screen = s.screen;
    menu.selected[size_t(s.screen)] = s.selected;
    menu.binding = Action::Jump;
    menu.clashWith = Action::Mute;
    if (s.screen == MenuScreen::Clash) menu.notice = "'m' already does mute";
    return menuPicture(menu, someData());
}

const Screen screens[] = {
    {"pause", MenuScreen::Pause, 0},       {"courses", MenuScreen::Courses, 1}, {"best-times", MenuScreen::BestTimes, 0},
    {"settings", MenuScreen::Settings, 9}, {"keys", MenuScreen::Keys, 4},       {"key-taken", MenuScreen::Clash, 0},
};

TEST(MenuPicture, EachScreenIsDrawnWhereItsLayoutSaysByBothRenderers)
{
    Renderers& r = renderers();
    const Game game = newGame(1);
    const char* folder = std::getenv("SKYCOURSE_MENU_PICTURES");
    for (const Screen& s : screens) {
        SCOPED_TRACE(s.name);
        const MenuPicture picture = pictureOf(s, 1.0f);
        const MenuLayout layout = layoutMenu(picture, largest, tallest);
        const Shot classic = draw(r.classic, game, &picture, largest, tallest);
        const Shot shaders = draw(r.shaders, game, &picture, largest, tallest);
        if (folder) {
            // The screen shows no alpha; the file would.
            std::vector<unsigned char> opaque = classic.rgba;
            for (size_t i = 3; i < opaque.size(); i += 4) opaque[i] = 255;
            const std::string path = std::string(folder) + "/" + s.name + ".png";
            EXPECT_EQ(writePng(path.c_str(), opaque, largest, tallest), "");
        }
        for (const Shot* shot : {&classic, &shaders}) {
            // The panel's night blue beside the title, the picked row's wood.
            const unsigned char* panel = shot->at(layout.panel.left + layout.glyphWidth / 2, layout.title.bottom);
            EXPECT_GT(panel[2], panel[0] + 10);
            EXPECT_LT(panel[0], 60);
            const MenuRect& picked = layout.rows.at(size_t(picture.selected - layout.firstRow));
            const unsigned char* band = shot->at(picked.left - layout.glyphWidth / 4, (picked.top + picked.bottom) / 2);
            EXPECT_GT(band[0], band[2] + 40) << "wood, warmer than the panel";
            EXPECT_GE(letterHeight(*shot, layout.title), 12);
        }
    }
}

TEST(MenuPicture, LettersAreReadableAtTheSmallScreenAndGrowWithTheTextSize)
{
    Renderers& r = renderers();
    const Game game = newGame(1);
    struct Case {
        int width, height;
        float size;
        int least, most;  // the title's letters, in pixels from top to bottom
    };
    for (const Case& c : {Case{640, 480, 1.0f, 12, 20}, Case{1280, 1024, 1.5f, 19, 30}, Case{1280, 1024, 2.0f, 26, 40}}) {
        SCOPED_TRACE(std::to_string(c.width) + " at " + std::to_string(c.size));
        const MenuPicture picture = pictureOf(screens[3], c.size);
        const MenuLayout layout = layoutMenu(picture, c.width, c.height);
        const Shot shot = draw(r.shaders, game, &picture, c.width, c.height);
        const int height = letterHeight(shot, layout.title);
        EXPECT_GE(height, c.least);
        EXPECT_LE(height, c.most);
        EXPECT_LE(layout.panel.right, c.width);
    }
}

}  // namespace
