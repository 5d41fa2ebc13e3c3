// The grid leaves out only blocks the ball cannot touch: a game that uses it
// and the same game asking every block stay equal, bit for bit, tick by tick.

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "sim/block_grid.h"
#include "sim/game.h"
#include "tests/sim/test_blocks.h"

namespace {

Block lift(Vec3 position, Vec3 size, Vec3 travel, Vec3 velocity)
{
    Block block = testBlock(position, size, Material::Metal, velocity);
    block.travel = travel;
    return block;
}

// A row of boxes along x with gaps, wider than several cells.
std::vector<Block> row()
{
    std::vector<Block> blocks;
    for (int i = 0; i < 20; ++i) blocks.push_back(testBlock({float(i) * 5.0f, 0.0f, -2.0f}, {4.0f, 1.0f, 4.0f}));
    return blocks;
}

struct GridCase {
    const char* name;
    float radius;
    Vec3 start;              // the ball's lowest point
    Controls keys;
    std::vector<Block> blocks;
    bool listed;             // the grid answers for the ball at its start
};

Controls keys(bool right, bool forward, bool jump)
{
    Controls c;
    c.moveRight = right;
    c.moveForward = forward;
    c.jumpHeld = jump;
    return c;
}

const float nextAfterTwo = 2.00000024f;

const GridCase cases[] = {
    {"rolling and jumping along a row, across cells", 0.5f, {1.0f, 1.0f, 0.0f}, keys(true, false, true), row(), true},
    {"a small ball on the row", 0.25f, {1.0f, 1.0f, 0.0f}, keys(true, true, false), row(), true},
    {"a large ball on the row", 1.0f, {1.0f, 1.0f, 0.0f}, keys(true, false, true), row(), true},
    // Centre exactly twice the radius beyond a corner: not far, by a hair.
    {"by the corner at twice the radius", 0.5f, {2.0f, 1.5f, 2.0f}, keys(false, true, false),
     {testBlock({0.0f, 0.0f, 0.0f}, {1.0f, 1.0f, 1.0f}), testBlock({30.0f, 0.0f, 0.0f}, {1.0f, 1.0f, 1.0f})}, true},
    {"just past the corner", 0.5f, {nextAfterTwo, 1.5f, nextAfterTwo}, keys(false, true, false),
     {testBlock({0.0f, 0.0f, 0.0f}, {1.0f, 1.0f, 1.0f}), testBlock({30.0f, 0.0f, 0.0f}, {1.0f, 1.0f, 1.0f})}, true},
    // On the border of two cells, on the lists' margin from a block.
    {"on a cell's border", 0.5f, {3.0f, 0.5f, 0.0f}, keys(true, false, false),
     {testBlock({-10.0f, -1.0f, -5.0f}, {40.0f, 1.0f, 10.0f}), testBlock({6.5f, 0.0f, -0.5f}, {1.0f, 1.0f, 1.0f}),
      testBlock({30.0f, 10.0f, 0.0f}, {1.0f, 1.0f, 1.0f})},
     true},
    {"a lift arriving from below", 0.5f, {10.0f, 8.0f, 0.0f}, keys(false, false, false),
     {testBlock({-10.0f, -1.0f, -5.0f}, {40.0f, 1.0f, 10.0f}),
      lift({8.0f, 0.0f, -2.0f}, {4.0f, 0.5f, 4.0f}, {0.0f, 6.0f, 0.0f}, {0.0f, 2.5f, 0.0f})},
     true},
    {"a block pushing from the side", 0.5f, {10.0f, 0.0f, 0.0f}, keys(false, false, false),
     {testBlock({-10.0f, -1.0f, -5.0f}, {40.0f, 1.0f, 10.0f}),
      lift({0.0f, 0.0f, -1.0f}, {2.0f, 2.0f, 2.0f}, {20.0f, 0.0f, 0.0f}, {4.0f, 0.0f, 0.0f})},
     true},
    {"on a course spread over 100,000 units", 0.5f, {1.0f, 1.0f, 0.0f}, keys(true, false, true),
     {testBlock({0.0f, 0.0f, -2.0f}, {40.0f, 1.0f, 4.0f}), testBlock({99000.0f, 0.0f, -50000.0f}, {1.0f, 1.0f, 1.0f})},
     true},
    {"far off the course, falling", 0.5f, {500.0f, 50.0f, -500.0f}, keys(true, false, false), row(), true},
    {"a ball too large for the cells", 3.0f, {10.0f, 1.0f, 0.0f}, keys(true, false, true), row(), false},
};

void PrintTo(const GridCase& c, std::ostream* os) { *os << c.name; }

class BlockGridTest : public testing::TestWithParam<GridCase> {};

TEST_P(BlockGridTest, TheBallEndsWhereAskingEveryBlockPutsIt)
{
    const GridCase& c = GetParam();
    auto course = std::make_shared<Course>();
    course->blocks = c.blocks;
    course->start = c.start;
    course->goalPosition = {0.0f, -1000.0f, 0.0f};
    Game fast = newGame(std::shared_ptr<const Course>(course), 1);
    fast.ball.radius = c.radius;
    const Vec3 centre{c.start.x, c.start.y + c.radius, c.start.z};
    EXPECT_EQ(nearBlocks(fast.blockGrid.get(), *fast.course, centre, c.radius).found, c.listed);
    Game plain = fast;
    plain.blockGrid = nullptr;
    for (int tick = 1; tick <= 400; ++tick) {
        advanceTick(fast, c.keys);
        advanceTick(plain, c.keys);
        ASSERT_TRUE(fast == plain) << "tick " << tick;
        ASSERT_EQ(std::memcmp(&fast.ball, &plain.ball, sizeof(Ball)), 0) << "tick " << tick;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, BlockGridTest, testing::ValuesIn(cases),
                         [](const testing::TestParamInfo<GridCase>& info) {
                             std::string name;
                             for (const char* p = info.param.name; *p; ++p) {
                                 if (std::isalnum(static_cast<unsigned char>(*p))) name += *p;
                             }
                             return name;
                         });

}  // namespace
