#include <gtest/gtest.h>

#include <vector>

#include "world/world.h"

namespace {

class BuilderTest : public ::testing::Test {
protected:
    Builder builder;
    BuilderState& builderState = builder.builderState;
    std::vector<Block>& blocks = builder.course.blocks;
    std::vector<SizeOrb>& sizeOrbs = builder.course.sizeOrbs;
    std::vector<Checkpoint>& checkpoints = builder.course.checkpoints;

    void stampBlock() { ::stampBlock(builder); }
    void saveBuilderState() { ::saveBuilderState(builder); }
    void restoreBuilderState() { ::restoreBuilderState(builder); }
    void clearMotion() { ::clearMotion(builder); }
    void addSizeOrb(Vec3 point, int kind) { ::addSizeOrb(builder.course, point, kind); }
    void addCheckpoint(Vec3 point, int kind) { ::addCheckpoint(builder.course, point, kind); }
    void setDistinctState();
};

void BuilderTest::setDistinctState()
{
    builderState.cursor = {1.0f, 2.0f, 3.0f};
    builderState.size = {4.0f, 5.0f, 6.0f};
    builderState.opacity = 0.4f;
    builderState.travel = {7.0f, 0.0f, 9.0f};
    builderState.velocity = {-1.0f, 0.0f, 2.0f};
    builderState.material = Material::Wood;
    builderState.grain = 4;
    builderState.shape = Shape::Cylinder;
    builderState.flipTexture = true;
}

TEST_F(BuilderTest, StampCopiesEveryFieldAndLeavesTheStateAlone)
{
    setDistinctState();
    stampBlock();
    ASSERT_EQ(blocks.size(), 1u);
    const Block& b = blocks[0];
    EXPECT_EQ(b.opacity, 0.4f);
    EXPECT_EQ(b.size.y, 5.0f);
    EXPECT_EQ(b.basePosition.z, 3.0f);
    EXPECT_TRUE(b.startAtBase);
    EXPECT_EQ(startPosition(b).x, 1.0f);
    EXPECT_EQ(startPosition(b).z, 3.0f);
    EXPECT_EQ(b.travel.z, 9.0f);
    EXPECT_EQ(b.velocity.x, -1.0f);
    EXPECT_EQ(b.material, Material::Wood);
    EXPECT_EQ(b.grain, 4);
    EXPECT_EQ(b.shape, Shape::Cylinder);
    EXPECT_TRUE(b.flipTexture);
    EXPECT_EQ(b.spin, 0.0f);

    // The cursor does not advance: a second stamp lands on the first.
    stampBlock();
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[1].basePosition.x, 1.0f);
    EXPECT_EQ(builderState.cursor.x, 1.0f);
}

TEST_F(BuilderTest, StartAtFarEndAddsTravel)
{
    setDistinctState();
    builderState.startAtBase = false;
    stampBlock();
    const Block& b = blocks[0];
    EXPECT_FALSE(b.startAtBase);
    EXPECT_EQ(startPosition(b).x, 8.0f);
    EXPECT_EQ(startPosition(b).y, 2.0f);  // no travel on y: stays on the base
    EXPECT_EQ(startPosition(b).z, 12.0f);
    EXPECT_EQ(b.basePosition.x, 1.0f);
}

TEST_F(BuilderTest, RestoreBringsBackAllButTheMirroring)
{
    setDistinctState();
    builderState.startAtBase = false;
    saveBuilderState();
    builderState = BuilderState{};
    builderState.flipTexture = false;
    restoreBuilderState();
    EXPECT_EQ(builderState.cursor.y, 2.0f);
    EXPECT_EQ(builderState.size.z, 6.0f);
    EXPECT_EQ(builderState.opacity, 0.4f);
    EXPECT_EQ(builderState.travel.x, 7.0f);
    EXPECT_EQ(builderState.velocity.z, 2.0f);
    EXPECT_FALSE(builderState.startAtBase);
    EXPECT_EQ(builderState.material, Material::Wood);
    EXPECT_EQ(builderState.grain, 4);
    EXPECT_EQ(builderState.shape, Shape::Cylinder);
    EXPECT_FALSE(builderState.flipTexture);
    EXPECT_FALSE(builder.savedBuilderState.has_value());

    // And the other way round: a flip set after the save survives.
    builderState.flipTexture = false;
    saveBuilderState();
    builderState.flipTexture = true;
    restoreBuilderState();
    EXPECT_TRUE(builderState.flipTexture);
}

TEST_F(BuilderTest, SecondSaveWinsAndSecondRestoreDoesNothing)
{
    builderState.cursor = {1.0f, 0.0f, 0.0f};
    saveBuilderState();
    builderState.cursor = {2.0f, 0.0f, 0.0f};
    saveBuilderState();
    builderState.cursor = {3.0f, 0.0f, 0.0f};
    restoreBuilderState();
    EXPECT_EQ(builderState.cursor.x, 2.0f);
    builderState.cursor = {4.0f, 0.0f, 0.0f};
    restoreBuilderState();
    EXPECT_EQ(builderState.cursor.x, 4.0f);
    EXPECT_FALSE(builder.savedBuilderState.has_value());
}

// Orbs and checkpoints are a place and a size kind alike.
template <typename Item>
void expectFresh(const Item& item, Vec3 point, int kind)
{
    EXPECT_EQ(item.position.x, point.x);
    EXPECT_EQ(item.position.y, point.y);
    EXPECT_EQ(item.position.z, point.z);
    EXPECT_EQ(item.sizeKind, kind);
}

TEST_F(BuilderTest, OrbsAndCheckpointsKeepTheirPlaceAndKind)
{
    addSizeOrb({1.0f, 2.0f, 3.0f}, 2);
    addCheckpoint({4.0f, 5.0f, 6.0f}, 0);
    addCheckpoint({7.0f, 8.0f, 9.0f}, 1);
    ASSERT_EQ(sizeOrbs.size(), 1u);
    ASSERT_EQ(checkpoints.size(), 2u);
    expectFresh(sizeOrbs[0], {1.0f, 2.0f, 3.0f}, 2);
    expectFresh(checkpoints[0], {4.0f, 5.0f, 6.0f}, 0);
    expectFresh(checkpoints[1], {7.0f, 8.0f, 9.0f}, 1);
}

}  // namespace
