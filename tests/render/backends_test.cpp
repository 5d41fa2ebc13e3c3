// The two renderers against each other on the same frames: the shader
// renderer draws what the classic one draws, within a little, at every
// kind of view; its overlay text lands where asked; and once running
// neither allocates per frame, the frame's description included (counted
// by replacing the global allocator in this test program alone).

#include <gtest/gtest.h>

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "render/graphics.h"
#include "tools/bench/route_states.h"
#include "tools/headless/egl_context.h"
#include "tools/headless/framebuffer.h"
#include "world/level.h"

#include "tests/support/allocation_count.h"

namespace {

constexpr int width = 320;
constexpr int height = 256;

struct Renderers {
    Graphics classic;
    Graphics shaders;
};

// Both renderers on one offscreen context, started from the game folder as
// the game starts.
Renderers& renderers()
{
    static Renderers* made = [] {
        if (!makeHeadlessContext() || makeOffscreenFramebuffer(width, height) == 0) std::abort();
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

std::vector<unsigned char> draw(Graphics& graphics, const FrameInput& input)
{
    if (graphics.renderer == Renderer::Classic) useShaderProgram(graphics.shader, true);
    glViewport(0, 0, width, height);
    drawGame(graphics, input);
    std::vector<unsigned char> pixels(size_t(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

struct Difference {
    double mean = 0;       // per colour channel, of 255
    double within24 = 0;   // share of pixels with every channel within 24
};

Difference differenceOf(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b)
{
    long long sum = 0, close = 0;
    for (size_t i = 0; i < a.size(); i += 4) {
        int worst = 0;
        for (size_t c = 0; c < 3; ++c) {
            const int d = std::abs(int(a[i + c]) - int(b[i + c]));
            sum += d;
            worst = std::max(worst, d);
        }
        close += worst <= 24;
    }
    const double pixels = double(a.size() / 4);
    return {double(sum) / (pixels * 3), double(close) / pixels};
}

Game routeGame(long long tick, int quarterTurns, bool ballView)
{
    if (tick < 0) {
        // After the goal: the end picture.
        Game game = routeGame(9212, 0, false);
        game.gameState = EndScreen;
        return game;
    }
    RouteState state;
    if (!playRouteTo(ROUTE_FILE, tick, state)) std::abort();
    state.game.camera.viewQuadrant = (state.game.camera.viewQuadrant + quarterTurns) % 4;
    state.game.camera.firstPersonView = ballView;
    return state.game;
}

TEST(Renderers, ShadersDrawWhatClassicDrawsAtEveryKindOfView)
{
    const struct {
        const char* view;
        long long tick;
        int quarterTurns;
        bool ballView;
        bool overlay;
    } cases[] = {
        {"start, timer shown", 8, 0, false, true},
        {"discs and the shadow", 300, 0, false, false},
        {"gate turned", 3957, 2, false, false},
        {"glass from the ball", 6000, 3, true, false},
        {"summit and the ring", 9212, 0, false, false},
        {"end picture, paused", -1, 0, false, true},
    };
    Renderers& r = renderers();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.view);
        const Game game = routeGame(c.tick, c.quarterTurns, c.ballView);
        FrameInput input;
        input.game = &game;
        input.width = width;
        input.height = height;
        if (c.overlay) {
            input.overlay.push_back({{{"1:23.45 +0.5%"}}, OverlayPlace::TopLeft});
            input.overlay.push_back({{{"paused"}}, OverlayPlace::AboveCentre});
        }
        const std::vector<unsigned char> classic = draw(r.classic, input);
        const std::vector<unsigned char> shaders = draw(r.shaders, input);
        const Difference d = differenceOf(classic, shaders);
        EXPECT_LE(d.mean, 2.0);
        EXPECT_GE(d.within24, 0.99);
        // Not two black pictures agreeing.
        EXPECT_GT(differenceOf(shaders, std::vector<unsigned char>(shaders.size(), 0)).mean, 20.0);
    }
}

// The renderer turned in the settings while the game runs: each way, the
// same picture as that renderer started fresh, pixel for pixel, on a view
// with every kind of draw (blocks, glass, the shadow, text).
TEST(Renderers, TurningToTheOtherRendererDrawsWhatItDrawsFromTheStart)
{
    Renderers& r = renderers();
    const Game game = routeGame(6000, 3, false);
    FrameInput input;
    input.game = &game;
    input.width = width;
    input.height = height;
    input.overlay.push_back({{{"1:23.45 +0.5%"}}, OverlayPlace::TopLeft});
    char* here = getcwd(nullptr, 0);
    ASSERT_TRUE(here != nullptr && chdir(GAME_DIR) == 0);
    Graphics turned = initGraphics(buildLevel(), Renderer::Shaders);
    // As in a game started with shaders, no classic setup in the context.
    for (const GLenum setting : {GL_LIGHTING, GL_LIGHT0, GL_NORMALIZE, GL_COLOR_MATERIAL, GL_BLEND}) glDisable(setting);
    EXPECT_EQ(changeRenderer(turned, Renderer::Classic), Renderer::Classic);
    EXPECT_TRUE(draw(turned, input) == draw(r.classic, input)) << "shaders turned to classic";
    EXPECT_EQ(changeRenderer(turned, Renderer::Shaders), Renderer::Shaders);
    EXPECT_TRUE(draw(turned, input) == draw(r.shaders, input)) << "and back to shaders";
    EXPECT_EQ(chdir(here), 0);
    std::free(here);
}

// Fast graphics: the scene drawn at a ninth of the pixels and scaled up,
// its cylinders of one ring, near the full picture; the text drawn over it at the window's own
// resolution, as sharp as in full.
TEST(Renderers, FastGraphicsStayNearFullAndKeepTheTextSharp)
{
    Renderers& r = renderers();
    const struct {
        const char* view;
        long long tick;
    } cases[] = {{"start", 8}, {"discs", 300}, {"summit", 9212}, {"end picture", -1}};
    for (Graphics* graphics : {&r.classic, &r.shaders}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << c.view << (graphics == &r.classic ? ", classic" : ", shaders"));
            const Game game = routeGame(c.tick, 0, false);
            FrameInput input;
            input.game = &game;
            input.width = width;
            input.height = height;
            input.overlay.push_back({{{"1:23.45 +0.5%"}}, OverlayPlace::TopLeft});
            const std::vector<unsigned char> full = draw(*graphics, input);
            input.fast = true;
            const std::vector<unsigned char> fast = draw(*graphics, input);
            EXPECT_LE(differenceOf(full, fast).mean, 6.0);
            EXPECT_GT(differenceOf(fast, std::vector<unsigned char>(fast.size(), 0)).mean, 20.0);
            // The glyphs' bright pixels are bright in both.
            int bright = 0, keptBright = 0;
            for (int y = height - 40; y < height; ++y) {
                for (int x = 0; x < width / 2; ++x) {
                    const size_t i = (size_t(y) * width + size_t(x)) * 4;
                    if (full[i] < 230 || full[i + 1] < 230 || full[i + 2] < 230) continue;
                    ++bright;
                    keptBright += fast[i] >= 230 && fast[i + 1] >= 230 && fast[i + 2] >= 230;
                }
            }
            EXPECT_GT(bright, 50);
            EXPECT_GE(keptBright, bright * 95 / 100);
        }
    }
}

// A playing frame leaves the colour uncleared (the sky writes every pixel
// first): whatever the target held before must not show through anywhere,
// at any turn and tilt of the camera, in either renderer, in the window and
// in the fast graphics' smaller scene.
TEST(Renderers, EveryPixelOfAPlayingFrameIsWrittenOverWhatWasThere)
{
    const struct {
        bool ballView;
        int quadrant;
        float yaw, pitch;
    } cameras[] = {
        {false, 0, 0, 0},   {false, 1, 45, 30},  {false, 2, 137, -45}, {false, 3, 300, 90},
        {false, 0, 10, -90}, {true, 0, 0, 0},    {true, 1, 45, 89},    {true, 2, 200, -89},
        {true, 3, 315, 30},
    };
    const unsigned char marker[3] = {1, 254, 3};
    Renderers& r = renderers();
    for (Graphics* graphics : {&r.classic, &r.shaders}) {
        for (const bool fast : {false, true}) {
            for (const auto& c : cameras) {
                SCOPED_TRACE(testing::Message() << (graphics == &r.classic ? "classic" : "shaders") << (fast ? ", fast" : "")
                                                << ", quadrant " << c.quadrant << ", yaw " << c.yaw << ", pitch "
                                                << c.pitch << (c.ballView ? ", the ball's view" : ""));
                Game game = routeGame(8, 0, c.ballView);
                game.camera.viewQuadrant = c.quadrant;
                game.camera.cameraYaw = c.yaw;
                game.camera.cameraPitch = c.pitch;
                FrameInput input;
                input.game = &game;
                input.width = width;
                input.height = height;
                input.fast = fast;
                // The small scene's target exists once a fast frame made it.
                if (fast) draw(*graphics, input);
                GLint window = 0;
                glGetIntegerv(GL_FRAMEBUFFER_BINDING, &window);
                glClearColor(marker[0] / 255.0f, marker[1] / 255.0f, marker[2] / 255.0f, 1.0f);
                for (const GLuint target : {GLuint(window), GLuint(fast ? graphics->small.framebuffer : window)}) {
                    glBindFramebuffer(GL_FRAMEBUFFER, target);
                    glClear(GL_COLOR_BUFFER_BIT);
                }
                glBindFramebuffer(GL_FRAMEBUFFER, GLuint(window));
                const std::vector<unsigned char> picture = draw(*graphics, input);
                int marked = 0;
                for (size_t i = 0; i < picture.size(); i += 4) {
                    marked += picture[i] == marker[0] && picture[i + 1] == marker[1] && picture[i + 2] == marker[2];
                }
                EXPECT_EQ(marked, 0);
            }
        }
    }
}

// The overlay's glyph cells: how many of each cell's pixels are bright.
TEST(Renderers, OverlayTextLightsTheCellsOfItsCharactersOnly)
{
    Renderers& r = renderers();
    const Game game = routeGame(-1, 0, false);   // the end picture under it
    FrameInput input;
    input.game = &game;
    input.width = width;
    input.height = height;
    const std::vector<unsigned char> plain = draw(r.shaders, input);
    const std::string text = "0 8:1.%";
    input.overlay.push_back({{{text}}, OverlayPlace::TopLeft});
    const std::vector<unsigned char> shown = draw(r.shaders, input);

    // Top left: 12 pixels in, the line's glyphs 20 high, 24 apart, their
    // bottom 2 above the line's.
    const int left = 12;
    const int bottom = height - 12 - 24 + 2;
    for (size_t k = 0; k < text.size(); ++k) {
        SCOPED_TRACE(testing::Message() << "'" << text[k] << "'");
        int brightened = 0;
        for (int y = bottom; y < bottom + 20; ++y) {
            for (int x = left + int(k) * 12; x < left + int(k + 1) * 12; ++x) {
                const size_t i = (size_t(y) * width + size_t(x)) * 4;
                brightened += shown[i] > plain[i] / 2 + 60;
            }
        }
        if (text[k] == ' ') EXPECT_EQ(brightened, 0);
        else EXPECT_GE(brightened, text[k] == '.' ? 2 : 10);
    }
    // Far from the band the picture is untouched.
    for (int x = 0; x < width; x += 7) {
        const size_t i = (size_t(height / 3) * width + size_t(x)) * 4;
        EXPECT_EQ(shown[i], plain[i]);
    }
}

// Where the frame and the shader renderer meet: each pass is drawn by the
// build of the pair its material needs, so that no highlight is lost and
// no unlit pixel pays for lighting.
TEST(Renderers, EachPassIsDrawnByTheProgramItsMaterialNeeds)
{
    Renderers& r = renderers();
    // The orbs and checkpoints take the ring's yellow highlight, or none
    // when the shadow's black was set in between.
    const struct {
        Pass pass;
        ShaderKind kind;
        ShaderKind underShadow;
    } cases[] = {
        {Pass::Sky, ShaderKind::Unlit, ShaderKind::Unlit},
        {Pass::Overlay, ShaderKind::Unlit, ShaderKind::Unlit},
        {Pass::ShadowMark, ShaderKind::Unlit, ShaderKind::Unlit},
        {Pass::Blocks, ShaderKind::Matte, ShaderKind::Matte},
        {Pass::ShadowBlob, ShaderKind::Matte, ShaderKind::Matte},
        {Pass::EndPicture, ShaderKind::Matte, ShaderKind::Matte},
        {Pass::Ball, ShaderKind::Shiny, ShaderKind::Shiny},
        {Pass::Goal, ShaderKind::Shiny, ShaderKind::Shiny},
        {Pass::SeeThrough, ShaderKind::Shiny, ShaderKind::Matte},
    };
    const Game games[] = {routeGame(300, 0, false), routeGame(5200, 0, false), routeGame(6000, 3, true),
                          routeGame(9212, 0, false), routeGame(-1, 0, false)};
    FrameInput input;
    input.overlay.push_back({{{"1:23.45"}}, OverlayPlace::TopLeft});
    for (const auto& c : cases) {
        size_t seen = 0;
        for (const Game& game : games) {
            input.game = &game;
            const Frame& frame = r.shaders.frame;
            describeFrame(r.shaders.frame, input, r.shaders.meshes, textureIdsOf(r.shaders.textures));
            const bool shadow = std::any_of(frame.draws.begin(), frame.draws.end(),
                                            [](const Draw& d) { return d.pass == Pass::ShadowBlob; });
            for (const Draw& draw : frame.draws) {
                if (draw.pass != c.pass) continue;
                ++seen;
                EXPECT_EQ(shaderKindOf(draw), shadow ? c.underShadow : c.kind) << "pass " << int(c.pass);
            }
        }
        EXPECT_GT(seen, 0u) << "pass " << int(c.pass) << " not in any frame";
    }
}

// The game's frames, described and drawn by either renderer, in an order a
// play can bring them: the chase view with its shadow and the orbs, the
// ball's own view, the end screen, and playing again after a restart.
TEST(Renderers, FramesAllocateNothingOnceRunning)
{
    Renderers& r = renderers();
    const Game chase = routeGame(300, 0, false);
    const Game items = routeGame(5200, 0, false);
    const Game ballView = routeGame(6000, 3, true);
    const Game ended = routeGame(-1, 0, false);
    const Game* const play[] = {&chase, &items, &ballView, &ended, &chase};
    FrameInput input;
    input.width = width;
    input.height = height;
    input.overlay.push_back({{{"1:23.45"}}, OverlayPlace::TopLeft});
    for (Graphics* graphics : {&r.classic, &r.shaders}) {
        SCOPED_TRACE(graphics == &r.classic ? "classic" : "shaders");
        if (graphics == &r.classic) useShaderProgram(graphics->shader, true);
        // A first round grows the frame's lists and the scratch buffers.
        for (const Game* game : play) {
            input.game = game;
            drawGame(*graphics, input);
        }
        long long drawing = 0;
        for (int i = 0; i < 3; ++i) {
            for (const Game* game : play) {
                input.game = game;
                const long long before = allocationCount;
                drawGame(*graphics, input);
                drawing += allocationCount - before;
            }
        }
        glFinish();
        EXPECT_EQ(drawing, 0);
    }
    EXPECT_GT(allocationCount, 0) << "the counting allocator is not in use";
}

}  // namespace
