// Any course draws right: a generated course of hundreds of blocks (glass,
// cylinders and movers among them) and more orbs and checkpoints than the
// built-in course has, read as a frame description with no GL at all.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "render/frame.h"
#include "render/shadow.h"
#include "world/generated_course.h"

namespace {

constexpr CourseSize manyOfEach{400, 100, 100};

// The course played a while, so that the movers are off their starts, and
// the ball put where it sees most of it.
Game playedCourse(unsigned int seed)
{
    Game game = newGame(std::make_shared<const Course>(generatedCourse(seed, manyOfEach)), 1);
    for (int tick = 0; tick < 150; ++tick) advanceTick(game, {});
    game.ball = Ball{};
    game.ball.position = {0.0f, 40.0f, 190.0f};
    game.gameState = Playing;
    return game;
}

Frame describe(const Game& game, const MeshSet& meshes)
{
    Frame frame;
    FrameInput input;
    input.game = &game;
    input.width = 640;
    input.height = 512;
    describeFrame(frame, input, meshes, TextureIds{});
    return frame;
}

// Where a point of the level lands in clip space, worked out here from the
// frame's own view and projection.
struct Clip {
    float x, y, z, w;

    // Well inside the picture, clear of every side of the view volume: w is
    // the distance ahead of the eye, the near plane at 1, the far one at 200.
    bool wellInside() const
    {
        return w > 2.0f && w < 190.0f && std::abs(x) < 0.9f * w && std::abs(y) < 0.9f * w;
    }
};

Clip clipOf(const Frame& frame, const Game& game, const Vec3& p)
{
    Mat4 base = frame.view;
    translate(base, 0.0f, -game.ball.radius, 0.0f);
    const float point[4] = {p.x, p.y, p.z, 1.0f};
    float out[4];
    transformPoint(multiply(frame.projection, base), point, out);
    return {out[0], out[1], out[2], out[3]};
}

size_t countOf(const Frame& frame, Pass pass)
{
    return size_t(std::count_if(frame.draws.begin(), frame.draws.end(), [pass](const Draw& d) { return d.pass == pass; }));
}

// Every block whose middle is well inside the view is drawn, where it is now;
// none wholly behind the eye is. A box is one draw, a cylinder two.
TEST(AnyCourse, EveryBlockInViewIsDrawnAndNoneBehindTheEye)
{
    for (unsigned int seed : {1u, 2u, 3u}) {
        SCOPED_TRACE(seed);
        const Game game = playedCourse(seed);
        const MeshSet meshes = buildMeshSet(*game.course);
        const Frame frame = describe(game, meshes);
        size_t least = 0;
        size_t most = 0;
        for (size_t i = 0; i < game.course->blocks.size(); ++i) {
            const Block& block = game.course->blocks[i];
            const Vec3& p = game.courseState.blocks[i].position;
            const Vec3& s = block.size;
            const size_t draws = block.shape == Shape::Cylinder ? 2 : 1;
            if (clipOf(frame, game, {p.x + s.x / 2, p.y + s.y / 2, p.z + s.z / 2}).wellInside()) least += draws;
            bool behind = true;
            for (int corner = 0; corner < 8; ++corner) {
                const Vec3 c{p.x + (corner & 1 ? s.x : 0), p.y + (corner & 2 ? s.y : 0), p.z + (corner & 4 ? s.z : 0)};
                behind = behind && clipOf(frame, game, c).w <= 0.0f;
            }
            if (!behind) most += draws;
        }
        ASSERT_GT(least, 50u) << "the view should take in much of the course";
        EXPECT_GE(countOf(frame, Pass::Blocks), least);
        EXPECT_LE(countOf(frame, Pass::Blocks), most);
        for (const Draw& draw : frame.draws) {
            if (draw.pass == Pass::Blocks) {
                EXPECT_NE(draw.geometry.mesh, MeshId::None) << "a block with no mesh";
            }
        }
    }
}

// All the orbs and checkpoints in view are drawn, however many, far to near.
TEST(AnyCourse, EveryItemInViewIsDrawnFarToNear)
{
    for (unsigned int seed : {1u, 2u, 3u}) {
        SCOPED_TRACE(seed);
        const Game game = playedCourse(seed);
        const MeshSet meshes = buildMeshSet(*game.course);
        const Frame frame = describe(game, meshes);
        size_t inside = 0;
        for (const SizeOrb& orb : game.course->sizeOrbs) inside += clipOf(frame, game, orb.position).wellInside();
        for (const Checkpoint& c : game.course->checkpoints) inside += clipOf(frame, game, c.position).wellInside();
        ASSERT_GT(inside, 20u) << "more than a handful in view";
        const size_t drawn = countOf(frame, Pass::SeeThrough);
        EXPECT_GE(drawn, inside);
        EXPECT_LE(drawn, game.course->sizeOrbs.size() + game.course->checkpoints.size());
        // How far each is from the eye, from where its draw puts it.
        std::vector<float> distances;
        for (const Draw& draw : frame.draws) {
            const float* m = draw.modelView.m;
            if (draw.pass == Pass::SeeThrough) distances.push_back(m[12] * m[12] + m[13] * m[13] + m[14] * m[14]);
        }
        EXPECT_TRUE(std::is_sorted(distances.rbegin(), distances.rend())) << "not far to near";
    }
}

// Over the top of any block, where it is now, the shadow falls on that top
// or on one between it and the ball, never lower and never above the ball.
TEST(AnyCourse, TheShadowFallsOnTheTopUnderTheBall)
{
    const Game game = playedCourse(4);
    const std::vector<Block>& blocks = game.course->blocks;
    int checked = 0;
    for (size_t i = 0; i < blocks.size(); ++i) {
        const Vec3& p = game.courseState.blocks[i].position;
        const float top = p.y + blocks[i].size.y;
        if (top <= 0.5f) continue;  // nothing at or below height 0 takes a shadow
        Ball ball;
        ball.position = {p.x + blocks[i].size.x / 2, top + 0.5f, p.z + blocks[i].size.z / 2};
        size_t receiver = blocks.size();
        const float h = findShadowReceiver(ball, blocks, game.courseState.blocks, ball.position, receiver);
        ASSERT_LT(receiver, blocks.size()) << "block " << i;
        EXPECT_GE(h, top) << "block " << i;
        EXPECT_LE(h, ball.position.y + 0.01f) << "block " << i;
        const Vec3& r = game.courseState.blocks[receiver].position;
        EXPECT_EQ(h, r.y + blocks[receiver].size.y) << "block " << i;
        ++checked;
    }
    EXPECT_GT(checked, 200);
}

}  // namespace
