#include <algorithm>
#include <cmath>
#include <vector>

#include "sim/collision.h"
#include "tests/sim/sim_fixture.h"

namespace {

// A 2 x 1 x 2 box at the origin; a ball of radius 0.5 just outside each face.
struct FaceCase {
    Vec3 centre;
    int face;
};

TEST(FaceContact, EachFaceFromOutsideAndNoneFromInside)
{
    Block block{};
    block.size = {2.0f, 1.0f, 2.0f};
    const float r = 0.5f;
    const FaceCase cases[] = {
        {{1.0f, 0.5f, 2.3f}, 0},  {{1.0f, 0.5f, -0.3f}, 1}, {{2.3f, 0.5f, 1.0f}, 2},
        {{-0.3f, 0.5f, 1.0f}, 3}, {{1.0f, 1.3f, 1.0f}, 4},  {{1.0f, -0.3f, 1.0f}, 5},
    };
    for (const FaceCase& c : cases) {
        for (int face = 0; face < 6; ++face) {
            EXPECT_EQ(faceContact({}, block.size, c.centre, r, face), face == c.face)
                << "ball at face " << c.face << ", tested face " << face;
        }
    }
    for (int face = 0; face < 6; ++face) {
        EXPECT_FALSE(faceContact({}, block.size, {1.0f, 0.5f, 1.0f}, r, face)) << "inside, face " << face;
        // Beyond two side planes at once, next to a vertical edge.
        EXPECT_FALSE(faceContact({}, block.size, {2.2f, 0.5f, 2.2f}, r, face)) << "edge, face " << face;
        EXPECT_FALSE(faceContact({}, block.size, {-0.2f, 0.5f, -0.2f}, r, face)) << "edge, face " << face;
    }
}

TEST(FaceContact, SidesReachRadiusBelowBottomButNotAboveTop)
{
    Block block{};
    block.size = {2.0f, 1.0f, 2.0f};
    EXPECT_TRUE(faceContact({}, block.size, {2.3f, -0.4f, 1.0f}, 0.5f, 2));
    EXPECT_FALSE(faceContact({}, block.size, {2.3f, -0.6f, 1.0f}, 0.5f, 2));
    EXPECT_FALSE(faceContact({}, block.size, {2.3f, 1.1f, 1.0f}, 0.5f, 2));
    // A top needs the centre over the block on both x and z.
    EXPECT_FALSE(faceContact({}, block.size, {2.1f, 1.3f, 1.0f}, 0.5f, 4));
    EXPECT_FALSE(faceContact({}, block.size, {1.0f, 1.3f, -0.1f}, 0.5f, 4));
    EXPECT_FALSE(faceContact({}, block.size, {1.0f, 1.51f, 1.0f}, 0.5f, 4));
}

using Collision = SimTest;

TEST_F(Collision, SideStopsOneComponentAndPlacesTheCentre)
{
    BlockState* wall = addBlock({10.0f, 0.0f, -5.0f}, {1.0f, 3.0f, 10.0f});
    Vec3 c{9.6f, 1.0f, 0.0f};
    Vec3 v{8.0f, 0.0f, -3.0f};
    collide(*wall, c, v, 0.5f);
    EXPECT_EQ(v.x, 0.0f);
    EXPECT_EQ(v.z, -3.0f);
    EXPECT_EQ(c.x, 9.5f);

    // A moving side hands its own velocity to the ball.
    wall->velocity = {0.0f, 0.0f, 6.0f};
    Vec3 front{10.5f, 1.0f, 5.2f};
    Vec3 w{1.0f, 0.0f, -4.0f};
    collide(*wall, front, w, 0.5f);
    EXPECT_EQ(w.z, 6.0f);
    EXPECT_EQ(w.x, 1.0f);
}

// The face height and the radius are summed before rounding, so the centre
// lands on the float nearest the true contact height (summing in float
// would give 4.10000038 here).
TEST_F(Collision, CentrePlacedOnTheUnroundedFaceHeight)
{
    BlockState* slab = addBlock({-5.0f, 0.7f, -5.0f}, {10.0f, 2.9f, 10.0f});
    Vec3 c{0.0f, 3.8f, 0.0f};
    Vec3 v{};
    collide(*slab, c, v, 0.5f);
    EXPECT_EQ(c.y, static_cast<float>(double(0.7f) + double(2.9f) + 0.5));
}

// Off the edge of a top the ball falls at once; once its centre is below the
// top it meets the side it rolled past and stays just outside it.
TEST_F(Collision, LeavingATopEdgeFallsAlongTheSide)
{
    addBlock({-10.0f, -0.5f, -5.0f}, {20.0f, 1.0f, 10.0f});
    b.position = {9.995f, 0.5f, 0.0f};
    b.velocity.x = 2.0f;
    ballStep(g, keys);
    EXPECT_GT(b.position.x, 10.0f);
    EXPECT_TRUE(g.airborne);
    EXPECT_EQ(b.position.y, 0.5f) << "no rolling over the edge";
    steps(60);
    EXPECT_LT(b.position.y, -1.0f);
    EXPECT_EQ(b.position.x, 10.5f);
    EXPECT_EQ(b.velocity.x, 0.0f);
    EXPECT_TRUE(g.airborne);
}

TEST_F(Collision, RisingIntoABottomStopsBelowIt)
{
    BlockState* roof = addBlock({-5.0f, 3.0f, -5.0f}, {10.0f, 1.0f, 10.0f});
    Vec3 c{0.0f, 2.7f, 0.0f};
    Vec3 v{0.0f, 12.0f, 0.0f};
    collide(*roof, c, v, 0.5f);
    EXPECT_EQ(v.y, 0.0f);
    EXPECT_EQ(c.y, 2.5f);
}

TEST_F(Collision, MovingTopsCarryAndSinkingTopsTakeTheBallDown)
{
    BlockState* disc = addBlock({0.0f, 0.0f, 0.0f}, {8.0f, 1.0f, 8.0f}, {2.0f, 0.0f, 0.0f});
    Vec3 c{4.0f, 1.5f, 4.0f};
    Vec3 v{0.0f, 0.0f, 0.0f};
    g.airborne = true;
    collide(*disc, c, v, 0.5f);
    EXPECT_FALSE(g.airborne);
    EXPECT_FLOAT_EQ(c.x, 4.01f);
    EXPECT_EQ(v.y, 0.0f);

    BlockState* lift = addBlock({0.0f, 0.0f, 0.0f}, {8.0f, 1.0f, 8.0f}, {0.0f, -5.0f, 0.0f});
    c = {4.0f, 1.45f, 4.0f};
    v = {0.0f, -20.0f, 0.0f};
    collide(*lift, c, v, 0.5f);
    EXPECT_EQ(v.y, -5.0f);
    EXPECT_FLOAT_EQ(c.y, 1.475f);
}

TEST_F(Collision, RidingADiscAlongForManySteps)
{
    BlockState* disc = addBlock({0.0f, 0.0f, -4.0f}, {8.0f, 1.0f, 8.0f}, {2.0f, 0.0f, 0.0f});
    b.position = {4.0f, 1.0f, 0.0f};
    for (int i = 0; i < 100; ++i) {
        disc->position.x = disc->position.x + 0.01f;
        ballStep(g, keys);
    }
    EXPECT_NEAR(b.position.x, 5.0f, 1e-3f);
    EXPECT_FLOAT_EQ(b.position.y, 1.0f);
}

// Each landing on a static top rebounds at sqrt(0.4) of its speed until the
// rebound would be under 5, then the ball stays down.
TEST_F(Collision, LandingAtTwentyBouncesAndSettles)
{
    addFloor(0.5f, Material::Metal);
    b.position.y = 0.55f;
    b.velocity.y = -20.0f;
    std::vector<float> rebounds;
    float before = b.velocity.y;
    for (int i = 0; i < 2000; ++i) {
        ballStep(g, keys);
        if (before < 0.0f && b.velocity.y > 0.0f) {
            rebounds.push_back(b.velocity.y);
        }
        before = b.velocity.y;
    }
    ASSERT_EQ(rebounds.size(), 3u);
    EXPECT_NEAR(rebounds[0], 12.649f, 1e-3f);
    EXPECT_NEAR(rebounds[1], 0.6324555f * rebounds[0], 0.2f);
    EXPECT_NEAR(rebounds[2], 0.6324555f * rebounds[1], 0.2f);
    EXPECT_GE(rebounds[2], 5.0f);
    EXPECT_EQ(b.velocity.y, 0.0f);
    EXPECT_FLOAT_EQ(b.position.y, 0.5f);
    EXPECT_FALSE(g.airborne);
    // Three rebounds and the last landing, which stays down.
    EXPECT_EQ(plays(EventKind::Landing), 4);
}

// A drop at 3 units per second onto a top: above the sound threshold, below
// the bounce limit. Returns the plays it caused.
int landingPlays(Game& g, Controls& keys, Material material, Vec3 blockVelocity)
{
    g = emptyGame();
    Ball& b = g.ball;
    BlockState* top = addBlock(g, {-5.0f, 0.0f, -5.0f}, {10.0f, 0.5f, 10.0f}, blockVelocity, material);
    b.position = {0.0f, 0.51f, 0.0f};
    b.velocity.y = -3.0f;
    g.airborne = true;
    for (int i = 0; i < 20; ++i) {
        for (int axis = 0; axis < 3; ++axis) {
            top->position[axis] = top->position[axis] + top->velocity[axis] * 0.005f;
        }
        ballStep(g, keys);
    }
    EXPECT_EQ(b.velocity.y, 0.0f);
    EXPECT_FALSE(g.airborne);
    EXPECT_EQ(countEvents(g, EventKind::Landing), int(g.events.size()));
    if (!g.events.empty()) {
        EXPECT_EQ(g.events[0].material, material);
        EXPECT_FLOAT_EQ(g.events[0].speed, 3.25f);
    }
    return int(g.events.size());
}

TEST_F(Collision, LandingEventCarriesTheMaterialOfStaticAndSidewaysTops)
{
    for (Material material : {Material::Metal, Material::Wood, Material::Glass, Material::None}) {
        EXPECT_EQ(landingPlays(g, keys, material, {}), 1) << int(material);
    }
    // Landing on a rising lift stays silent; a sideways disc still rings.
    EXPECT_EQ(landingPlays(g, keys, Material::Metal, {0.0f, 5.0f, 0.0f}), 0);
    EXPECT_EQ(landingPlays(g, keys, Material::Wood, {2.0f, 0.0f, 0.0f}), 1);
}

TEST_F(Collision, RestingAndSoftLandingsAreSilent)
{
    addFloor(0.5f, Material::Metal);
    steps(100);
    b.velocity.y = -0.05f;
    steps(100);
    EXPECT_EQ(int(g.events.size()), 0);
}

TEST_F(Collision, JumpSpeedAndHeightByRadius)
{
    const struct {
        float radius, speed, height;
    } cases[] = {{0.25f, 14.142136f, 2.0f}, {0.5f, 20.0f, 4.0f}, {1.0f, 28.284271f, 8.0f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.radius);
        reset();
        addFloor(0.5f);
        b.radius = c.radius;
        keys.jumpHeld = true;
        g.events.clear();
        ballStep(g, keys);
        EXPECT_FLOAT_EQ(b.velocity.y, c.speed);
        EXPECT_EQ(plays(EventKind::Jump), 1);
        keys.jumpHeld = false;
        float top = b.position.y;
        stepsUntil([&] {
            top = std::max(top, b.position.y);
            return b.velocity.y < 0.0f;
        });
        EXPECT_NEAR(top - 0.5f, c.height, 0.1f);
    }
}

TEST_F(Collision, HeldJumpJumpsAgainAtEachLanding)
{
    addFloor(0.5f);
    keys.jumpHeld = true;
    int jumps = 0;
    float before = 0.0f;
    for (int i = 0; i < 800; ++i) {
        ballStep(g, keys);
        if (b.velocity.y == 20.0f && before != 20.0f) {
            ++jumps;
        }
        before = b.velocity.y;
    }
    EXPECT_EQ(jumps, 5);
}

// Rolls the ball in +x from a floor at 0.5 toward a step; returns its x
// after two seconds.
float rollTowardStep(Game& g, float stepHeight)
{
    addFloor(g, 0.5f);
    addBlock(g, {10.0f, 0.0f, -5.0f}, {100.0f, 0.5f + stepHeight, 10.0f});
    g.ball.position = {8.0f, 0.5f, 0.0f};
    Controls keys;
    keys.moveRight = true;
    for (int i = 0; i < 400; ++i) {
        ballStep(g, keys);
    }
    return g.ball.position.x;
}

TEST_F(Collision, LowStepIsClimbedHighStepStops)
{
    float x = rollTowardStep(g, 0.3f);
    EXPECT_GT(x, 15.0f);
    EXPECT_FLOAT_EQ(b.position.y, 0.8f);

    reset();
    x = rollTowardStep(g, 0.5f);
    EXPECT_FLOAT_EQ(x, 9.5f);
    EXPECT_FLOAT_EQ(b.position.y, 0.5f);
}

TEST_F(Collision, LaterBlocksSeeTheCentreEarlierOnesLeft)
{
    // The slab lifts the centre to 1.5, which brings it within reach of the
    // roof's bottom at 1.9; from the centre before the pass it was not.
    addBlock({-5.0f, 0.0f, -5.0f}, {10.0f, 1.0f, 10.0f});
    addBlock({-5.0f, 1.9f, -5.0f}, {10.0f, 1.0f, 10.0f});
    b.position = {0.0f, 0.85f, 0.0f};
    collideBlocks(g, keys.jumpHeld);
    EXPECT_FLOAT_EQ(b.position.y, 0.9f);
    EXPECT_FALSE(g.airborne);
}

} // namespace
