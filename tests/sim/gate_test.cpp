// The real course: the gate over the long beam lets only a shrunk ball by.

#include "tests/sim/sim_fixture.h"
#include "world/level.h"

namespace {

class Gate : public SimTest {
protected:
    void SetUp() override
    {
        g = newGame(std::make_shared<const Course>(buildLevel()), 1);
        ASSERT_EQ(g.course->blocks.size(), 114u);
    }

    // Rolls along the top of the beam (block 44) toward +x for two seconds.
    float rollThroughGate(float radius)
    {
        const Block& beam = g.course->blocks[43];
        const Vec3& at = g.courseState.blocks[43].position;
        b.radius = radius;
        b.position = {265.0f, at.y + beam.size.y, at.z + beam.size.z / 2.0f};
        keys.moveRight = true;
        steps(400);
        return b.position.x;
    }
};

TEST_F(Gate, SmallBallPasses)
{
    EXPECT_GT(rollThroughGate(0.25f), 271.0f);
    EXPECT_FLOAT_EQ(b.position.y, 62.0f);
}

TEST_F(Gate, NormalBallIsStopped)
{
    EXPECT_FLOAT_EQ(rollThroughGate(0.5f), g.courseState.blocks[46].position.x - 0.5f);
    EXPECT_EQ(b.velocity.x, 0.0f);
    EXPECT_FLOAT_EQ(b.position.y, 62.0f);
}

TEST_F(Gate, BallStartsAtRestOnThePad)
{
    steps(200);
    EXPECT_EQ(b.position.x, 7.0f);
    EXPECT_EQ(b.position.y, 0.5f);
    EXPECT_EQ(b.position.z, 0.0f);
    EXPECT_FALSE(g.airborne);
}

} // namespace
