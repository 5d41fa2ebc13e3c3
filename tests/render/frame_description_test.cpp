// The frame as a value: what a Game turns into, read with no GL at all.

#include <gtest/gtest.h>

#include <algorithm>

#include "render/frame.h"
#include "tests/sim/test_blocks.h"

namespace {

struct Described {
    MeshSet meshes;
    TextureIds textures;
    Frame frame;
};

// The ball on the pad of an otherwise empty course, looking down -z.
Game emptyCourse()
{
    Game game;
    courseOf(game).goalPosition = {0.0f, -1000.0f, 0.0f};
    game.ball.position = {0.0f, 1.0f, 0.0f};
    return game;
}

// The course's blocks, each at its start.
void setBlocks(Game& game, std::vector<Block> blocks)
{
    courseOf(game).blocks = std::move(blocks);
    game.courseState.blocks.clear();
    for (const Block& block : game.course->blocks) game.courseState.blocks.push_back(startState(block));
}

Described describe(const Game& game, const Ball* ghost = nullptr, std::vector<OverlayBlock> overlay = {})
{
    Described d;
    d.meshes = buildMeshSet(*game.course);
    d.textures.ball = 1;
    d.textures.metal = 2;
    d.textures.glass = 3;
    d.textures.end = 4;
    d.textures.font = 5;
    FrameInput input;
    input.game = &game;
    input.width = 640;
    input.height = 512;
    input.ghost = ghost;
    input.overlay = std::move(overlay);
    describeFrame(d.frame, input, d.meshes, d.textures);
    return d;
}

size_t countOf(const Frame& frame, Pass pass)
{
    return size_t(std::count_if(frame.draws.begin(), frame.draws.end(), [pass](const Draw& d) { return d.pass == pass; }));
}

// The eye-space z of a draw's origin: more negative is farther.
float eyeDepth(const Draw& draw)
{
    return draw.modelView.m[14];
}

TEST(FrameDescription, BlocksOutOfViewAreLeftOutAndThoseInViewKept)
{
    Game game = emptyCourse();
    struct Case {
        const char* where;
        Vec3 position;
        bool drawn;
    };
    const Case cases[] = {
        {"ahead of the ball", {-2, 0, -20}, true},
        {"under the ball", {-2, -1, -2}, true},
        {"behind the chase camera", {-2, 0, 60}, false},
        {"far off to the side", {-400, 0, -20}, false},
        {"beyond the far plane", {-2, 0, -400}, false},
    };
    for (const Case& c : cases) {
        setBlocks(game, {testBlock(c.position, {4, 1, 4}, Material::Metal)});
        const Described d = describe(game);
        EXPECT_EQ(countOf(d.frame, Pass::Blocks), c.drawn ? 1u : 0u) << c.where;
    }
}

TEST(FrameDescription, SeeThroughItemsComeFarToNearAfterEverythingOpaque)
{
    Game game = emptyCourse();
    for (float z : {-10.0f, -40.0f, -25.0f}) addCheckpoint(game, {0, 1, z}, 1);
    addSizeOrb(game, {1, 1, -30}, 0);
    game.courseState.sizeOrbs[0].alpha = 0.5f;
    setBlocks(game, {testBlock({-2, -1, -2}, {4, 1, 4}, Material::Wood)});
    const Described d = describe(game);
    std::vector<float> depths;
    bool seenItem = false;
    for (const Draw& draw : d.frame.draws) {
        if (draw.pass == Pass::SeeThrough) {
            seenItem = true;
            depths.push_back(eyeDepth(draw));
            EXPECT_TRUE(draw.state.cullBack);
            EXPECT_EQ(draw.state.blend, Blend::Alpha);
        } else {
            EXPECT_FALSE(seenItem) << "an opaque draw after the see-through items";
        }
    }
    ASSERT_EQ(depths.size(), 4u);
    EXPECT_TRUE(std::is_sorted(depths.begin(), depths.end())) << "not far to near";
    // The orb is red (it shrinks the ball) and keeps its pulse's alpha.
    const auto orb = std::find_if(d.frame.draws.begin(), d.frame.draws.end(),
                                  [](const Draw& x) { return x.pass == Pass::SeeThrough && x.material.colour[0] == 1 && x.material.colour[1] == 0; });
    ASSERT_NE(orb, d.frame.draws.end());
    EXPECT_FLOAT_EQ(orb->material.colour[3], 0.5f);
}

TEST(FrameDescription, EquallyFarItemsKeepTheCoursesOrder)
{
    // Mirrored about the line of sight: exactly as far, so their blending
    // order is the course's, frame after frame.
    Game game = emptyCourse();
    addCheckpoint(game, {3, 1, -20}, 1);
    addCheckpoint(game, {-3, 1, -20}, 1);
    addCheckpoint(game, {0, 1, -30}, 1);
    // Told apart by their pulses.
    const float alphas[] = {0.25f, 0.5f, 0.75f};
    for (size_t i = 0; i < 3; ++i) game.courseState.checkpoints[i].pulse.alpha = alphas[i];
    const Described d = describe(game);
    std::vector<float> seen;
    for (const Draw& draw : d.frame.draws) {
        if (draw.pass == Pass::SeeThrough) seen.push_back(draw.material.colour[3]);
    }
    EXPECT_EQ(seen, (std::vector<float>{0.75f, 0.25f, 0.5f}));   // the farthest first
}

TEST(FrameDescription, TheShadowFallsOnTheHighestTopUnderTheBallOnly)
{
    Game game = emptyCourse();
    setBlocks(game, {testBlock({-2, -3, -2}, {4, 1, 4}, Material::Wood),
                          testBlock({-2, 0, -2}, {4, 1, 4}, Material::Metal),
                          testBlock({-2, 5, -2}, {4, 1, 4}, Material::Glass)});  // above the ball
    Described d = describe(game);
    ASSERT_EQ(countOf(d.frame, Pass::ShadowMark), 1u);
    EXPECT_EQ(countOf(d.frame, Pass::ShadowBlob), 4u);
    for (const Draw& draw : d.frame.draws) {
        if (draw.pass == Pass::ShadowMark) {
            EXPECT_EQ(draw.material.texture, d.textures.metal) << "not the metal block's top";
            EXPECT_EQ(draw.state.stencil, Stencil::Mark);
            EXPECT_FALSE(draw.state.colourWrite);
            EXPECT_FALSE(draw.state.depthTest) << "hidden parts of the top are marked too";
        }
        if (draw.pass == Pass::ShadowBlob) {
            EXPECT_EQ(draw.state.stencil, Stencil::Equal);
        }
    }
    // Over the void, and in the ball's own view, there is none.
    game.ball.position = {50, 1, 0};
    EXPECT_EQ(countOf(describe(game).frame, Pass::ShadowMark), 0u);
    game.ball.position = {0, 1, 0};
    game.camera.firstPersonView = true;
    d = describe(game);
    EXPECT_EQ(countOf(d.frame, Pass::ShadowMark) + countOf(d.frame, Pass::Ball), 0u);
}

TEST(FrameDescription, TheEndScreenIsTheEndPictureAndTheOverlayAlone)
{
    Game game = emptyCourse();
    setBlocks(game, {testBlock({-2, 0, -20}, {4, 1, 4}, Material::Metal)});
    game.gameState = EndScreen;
    const Described d = describe(game, nullptr, {{{{"time 1:02.50", {1, 1, 1}}}, OverlayPlace::TopLeft}});
    ASSERT_GE(d.frame.draws.size(), 2u);
    EXPECT_EQ(d.frame.draws[0].pass, Pass::EndPicture);
    EXPECT_EQ(d.frame.draws[0].material.texture, d.textures.end);
    for (size_t i = 1; i < d.frame.draws.size(); ++i) EXPECT_EQ(d.frame.draws[i].pass, Pass::Overlay);
    // Full ambient light shows the picture as it is.
    EXPECT_FLOAT_EQ(d.frame.light.ambient[0], 1.0f);
}

TEST(FrameDescription, SkyFirstThenTheGhostOverEverythingThenTheOverlay)
{
    Game game = emptyCourse();
    Ball ghost = game.ball;
    ghost.position = {3, 1, -5};
    const Described d = describe(game, &ghost, {{{{"paused", {1, 1, 1}}}, OverlayPlace::AboveCentre}});
    ASSERT_GE(d.frame.draws.size(), 8u);
    for (int face = 0; face < 6; ++face) EXPECT_EQ(d.frame.draws[size_t(face)].pass, Pass::Sky);
    const auto ghostDraw = std::find_if(d.frame.draws.begin(), d.frame.draws.end(), [](const Draw& x) { return x.pass == Pass::Ghost; });
    ASSERT_NE(ghostDraw, d.frame.draws.end());
    EXPECT_FALSE(ghostDraw->state.depthTest);
    EXPECT_LT(ghostDraw->material.colour[3], 1.0f);
    for (auto it = ghostDraw + 1; it != d.frame.draws.end(); ++it) EXPECT_EQ(it->pass, Pass::Overlay);
    // The sign's six letters, one quad each, after its band.
    const Draw& text = d.frame.draws.back();
    EXPECT_EQ(text.material.texture, d.textures.font);
    EXPECT_EQ(d.frame.scratch.runs[text.geometry.firstRun].count, 6u * 4u);
}

TEST(FrameDescription, DescribingAgainAllocatesNothing)
{
    // The frame's storage is kept from one frame to the next; the same game
    // twice gives the same frame.
    Game game = emptyCourse();
    setBlocks(game, {testBlock({-2, 0, -2}, {4, 1, 4}, Material::Metal)});
    Described d = describe(game);
    const size_t capacity = d.frame.draws.capacity();
    const Draw* storage = d.frame.draws.data();
    FrameInput input;
    input.game = &game;
    input.width = 640;
    input.height = 512;
    const size_t before = d.frame.draws.size();
    describeFrame(d.frame, input, d.meshes, d.textures);
    EXPECT_EQ(d.frame.draws.size(), before);
    EXPECT_EQ(d.frame.draws.capacity(), capacity);
    EXPECT_EQ(d.frame.draws.data(), storage);
}

}  // namespace
