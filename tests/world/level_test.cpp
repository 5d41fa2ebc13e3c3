#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <vector>

#include "world/level.h"
#include "world/world.h"

namespace {

enum Tex { M, G, W0, W1, W2, W3, W4, W5 };

struct Row {
    int number;
    Vec3 base;
    Vec3 size;
    Tex texture;
    int shape;
    bool flipTexture;
    Vec3 travel;
    Vec3 velocity;
    bool atBase;
};

// The course as laid out for the game, row by row.
const Row course[] = {
    {1, {2.0f, 0.0f, -5.0f}, {10.0f, 0.5f, 10.0f}, M, 0, false, {}, {}, true},
    {2, {-4.0f, 2.5f, -15.0f}, {8.0f, 1.0f, 8.0f}, W0, 1, false, {8.0f, 0.0f, 0.0f}, {2.0f, 0.0f, 0.0f}, true},
    {3, {4.0f, 5.0f, -28.0f}, {8.0f, 1.0f, 8.0f}, W1, 1, false, {8.0f, 0.0f, 0.0f}, {2.0f, 0.0f, 0.0f}, false},
    {4, {-4.0f, 7.5f, -41.0f}, {8.0f, 1.0f, 8.0f}, W2, 1, false, {8.0f, 0.0f, 0.0f}, {2.0f, 0.0f, 0.0f}, true},
    {5, {4.0f, 10.0f, -54.0f}, {8.0f, 1.0f, 8.0f}, W3, 1, false, {8.0f, 0.0f, 0.0f}, {2.0f, 0.0f, 0.0f}, false},
    {6, {-4.0f, 12.5f, -67.0f}, {8.0f, 1.0f, 8.0f}, W4, 1, false, {8.0f, 0.0f, 0.0f}, {2.0f, 0.0f, 0.0f}, true},
    {7, {4.0f, 15.0f, -80.0f}, {8.0f, 1.0f, 8.0f}, W5, 1, false, {8.0f, 0.0f, 0.0f}, {2.0f, 0.0f, 0.0f}, false},
    {8, {-4.0f, 17.5f, -93.0f}, {8.0f, 1.0f, 8.0f}, W0, 1, false, {8.0f, 0.0f, 0.0f}, {2.0f, 0.0f, 0.0f}, true},
    {9, {4.0f, 20.0f, -106.0f}, {8.0f, 1.0f, 8.0f}, W1, 1, false, {8.0f, 0.0f, 0.0f}, {2.0f, 0.0f, 0.0f}, false},
    {10, {-4.0f, 22.5f, -119.0f}, {8.0f, 1.0f, 8.0f}, W2, 1, false, {8.0f, 0.0f, 0.0f}, {2.0f, 0.0f, 0.0f}, true},
    {11, {4.0f, 25.0f, -132.0f}, {8.0f, 1.0f, 8.0f}, W3, 1, false, {8.0f, 0.0f, 0.0f}, {2.0f, 0.0f, 0.0f}, false},
    {12, {-4.0f, 27.5f, -145.0f}, {8.0f, 1.0f, 8.0f}, W4, 1, false, {8.0f, 0.0f, 0.0f}, {2.0f, 0.0f, 0.0f}, true},
    {13, {4.0f, 30.0f, -158.0f}, {8.0f, 1.0f, 8.0f}, W5, 1, false, {8.0f, 0.0f, 0.0f}, {2.0f, 0.0f, 0.0f}, false},
    {14, {20.0f, 27.0f, -168.0f}, {14.0f, 4.0f, 10.0f}, M, 0, false, {}, {}, true},
    {15, {46.0f, 27.0f, -168.0f}, {30.0f, 4.0f, 10.0f}, M, 0, false, {}, {}, true},
    {16, {88.0f, 27.0f, -168.0f}, {30.0f, 4.0f, 10.0f}, M, 0, false, {}, {}, true},
    {17, {138.0f, 27.0f, -168.0f}, {30.0f, 4.0f, 10.0f}, M, 0, false, {}, {}, true},
    {18, {180.0f, 27.0f, -168.0f}, {30.0f, 4.0f, 10.0f}, M, 0, false, {}, {}, true},
    {19, {222.0f, 27.0f, -168.0f}, {30.0f, 4.0f, 10.0f}, M, 0, false, {}, {}, true},
    {20, {4.0f, 31.0f, -168.0f}, {1.0f, 3.0f, 18.0f}, M, 0, false, {}, {}, true},
    {21, {4.0f, 31.0f, -168.0f}, {49.6f, 3.0f, 1.0f}, M, 0, false, {}, {}, true},
    {22, {53.6f, 31.0f, -168.0f}, {49.6f, 3.0f, 1.0f}, M, 0, true, {}, {}, true},
    {23, {103.2f, 31.0f, -168.0f}, {49.6f, 3.0f, 1.0f}, M, 0, false, {}, {}, true},
    {24, {152.8f, 31.0f, -168.0f}, {49.6f, 3.0f, 1.0f}, M, 0, true, {}, {}, true},
    {25, {202.4f, 31.0f, -168.0f}, {49.6f, 3.0f, 1.0f}, M, 0, false, {}, {}, true},
    {26, {12.0f, 31.0f, -158.0f}, {48.0f, 3.0f, 1.0f}, M, 0, false, {}, {}, true},
    {27, {60.0f, 31.0f, -158.0f}, {48.0f, 3.0f, 1.0f}, M, 0, true, {}, {}, true},
    {28, {108.0f, 31.0f, -158.0f}, {48.0f, 3.0f, 1.0f}, M, 0, false, {}, {}, true},
    {29, {156.0f, 31.0f, -158.0f}, {48.0f, 3.0f, 1.0f}, M, 0, true, {}, {}, true},
    {30, {204.0f, 31.0f, -158.0f}, {48.0f, 3.0f, 1.0f}, M, 0, false, {}, {}, true},
    {31, {11.0f, 31.0f, -158.0f}, {1.0f, 3.0f, 8.0f}, M, 0, false, {}, {}, true},
    {32, {152.5f, 33.0f, -157.0f}, {1.0f, 1.0f, 20.0f}, M, 0, false, {}, {}, true},
    {33, {152.5f, 33.0f, -188.0f}, {1.0f, 1.0f, 20.0f}, M, 0, false, {}, {}, true},
    {34, {152.5f, 33.0f, -126.0f}, {1.0f, 1.0f, 30.0f}, M, 0, false, {}, {}, true},
    {35, {150.3333f, 28.0f, -91.0f}, {5.3333f, 0.6667f, 5.3333f}, M, 1, false, {0.0f, 35.0f, 0.0f}, {0.0f, 5.0f, 0.0f}, true},
    {36, {152.5f, 61.0f, -77.6667f}, {1.0f, 1.0f, 80.0f}, M, 0, false, {}, {}, true},
    {37, {112.5f, 61.0f, -27.6667f}, {40.0f, 1.0f, 1.0f}, M, 0, false, {}, {}, true},
    {38, {153.5f, 61.0f, -27.6667f}, {39.0f, 1.0f, 1.0f}, M, 0, false, {}, {}, true},
    {39, {192.5f, 61.0f, -27.6667f}, {1.0f, 1.0f, 12.0f}, M, 0, false, {}, {}, true},
    {40, {192.5f, 61.0f, -15.6667f}, {27.0f, 1.0f, 1.0f}, M, 0, false, {}, {}, true},
    {41, {219.5f, 61.0f, -15.6667f}, {1.0f, 4.0f, 1.0f}, M, 0, false, {}, {}, true},
    {42, {221.5f, 61.0f, -15.6667f}, {1.0f, 4.0f, 1.0f}, M, 0, false, {}, {}, true},
    {43, {221.5f, 61.0f, -15.6667f}, {30.0f, 1.0f, 1.0f}, M, 0, false, {}, {}, true},
    {44, {261.5f, 61.0f, -15.6667f}, {25.0f, 1.0f, 1.0f}, M, 0, false, {}, {}, true},
    {45, {269.5f, 62.0f, -19.6667f}, {0.5f, 6.0f, 4.0f}, M, 0, false, {}, {}, true},
    {46, {269.5f, 62.0f, -14.6667f}, {0.5f, 6.0f, 4.0f}, M, 0, false, {}, {}, true},
    {47, {269.5f, 62.7f, -15.6667f}, {0.5f, 6.0f, 1.0f}, M, 0, false, {}, {}, true},
    {48, {285.5f, 62.0f, -15.6667f}, {1.0f, 1.0f, 1.0f}, M, 0, false, {}, {}, true},
    {49, {280.5f, 64.0f, -15.6667f}, {3.0f, 1.0f, 1.0f}, M, 0, false, {}, {}, true},
    {50, {280.5f, 64.0f, -17.6667f}, {1.0f, 1.0f, 2.0f}, M, 0, false, {}, {}, true},
    {51, {280.5f, 64.0f, -17.6667f}, {1.0f, 2.0f, 1.0f}, M, 0, false, {}, {}, true},
    {52, {280.5f, 65.0f, -20.6667f}, {1.0f, 1.0f, 3.0f}, M, 0, false, {}, {}, true},
    {53, {280.5f, 65.0f, -20.6667f}, {1.0f, 2.0f, 1.0f}, M, 0, false, {}, {}, true},
    {54, {280.5f, 66.0f, -47.6667f}, {1.0f, 1.0f, 27.0f}, M, 0, false, {}, {}, true},
    {55, {280.5f, 66.0f, -47.6667f}, {1.0f, 2.0f, 1.0f}, M, 0, false, {}, {}, true},
    {56, {280.5f, 67.0f, -50.6667f}, {1.0f, 1.0f, 3.0f}, M, 0, false, {}, {}, true},
    {57, {280.5f, 68.0f, -52.6667f}, {1.0f, 1.0f, 3.0f}, M, 0, false, {}, {}, true},
    {58, {280.5f, 69.0f, -54.6667f}, {1.0f, 1.0f, 3.0f}, M, 0, false, {}, {}, true},
    {59, {280.5f, 70.0f, -56.6667f}, {1.0f, 1.0f, 3.0f}, M, 0, false, {}, {}, true},
    {60, {280.5f, 71.0f, -58.6667f}, {1.0f, 1.0f, 3.0f}, M, 0, false, {}, {}, true},
    {61, {280.5f, 72.0f, -60.6667f}, {1.0f, 1.0f, 3.0f}, M, 0, false, {}, {}, true},
    {62, {280.5f, 73.0f, -62.6667f}, {1.0f, 1.0f, 3.0f}, M, 0, false, {}, {}, true},
    {63, {280.5f, 74.0f, -64.6667f}, {1.0f, 1.0f, 3.0f}, M, 0, false, {}, {}, true},
    {64, {280.5f, 75.0f, -66.6667f}, {1.0f, 1.0f, 3.0f}, M, 0, false, {}, {}, true},
    {65, {278.5f, 75.0f, -66.6667f}, {2.0f, 1.0f, 1.0f}, M, 0, false, {}, {}, true},
    {66, {275.5f, 76.0f, -66.6667f}, {4.0f, 1.0f, 1.0f}, M, 0, false, {}, {}, true},
    {67, {273.5f, 77.0f, -66.6667f}, {3.0f, 1.0f, 1.0f}, M, 0, false, {}, {}, true},
    {68, {272.0f, 78.0f, -66.6667f}, {2.5f, 1.0f, 1.0f}, M, 0, false, {}, {}, true},
    {69, {270.5f, 79.0f, -66.6667f}, {2.5f, 1.0f, 1.0f}, M, 0, false, {}, {}, true},
    {70, {269.0f, 80.0f, -66.6667f}, {2.5f, 1.0f, 1.0f}, M, 0, false, {}, {}, true},
    {71, {267.5f, 81.0f, -66.6667f}, {2.5f, 1.0f, 1.0f}, M, 0, false, {}, {}, true},
    {72, {266.0f, 82.0f, -66.6667f}, {2.5f, 1.0f, 1.0f}, M, 0, false, {}, {}, true},
    {73, {264.5f, 83.0f, -66.6667f}, {2.5f, 1.0f, 1.0f}, M, 0, false, {}, {}, true},
    {74, {231.5f, 83.0f, -66.6667f}, {33.0f, 1.0f, 1.0f}, M, 0, false, {}, {}, true},
    {75, {216.5f, 83.0f, -66.6667f}, {10.0f, 1.0f, 1.0f}, M, 0, false, {}, {}, true},
    {76, {206.5f, 83.0f, -66.6667f}, {3.0f, 1.0f, 1.0f}, M, 0, false, {}, {}, true},
    {77, {196.5f, 83.0f, -66.6667f}, {3.0f, 1.0f, 1.0f}, M, 0, false, {}, {}, true},
    {78, {186.5f, 83.0f, -66.6667f}, {3.0f, 1.0f, 1.0f}, M, 0, false, {}, {}, true},
    {79, {176.5f, 83.0f, -66.6667f}, {3.0f, 1.0f, 1.0f}, M, 0, false, {}, {}, true},
    {80, {166.5f, 83.0f, -66.6667f}, {2.0f, 1.0f, 1.0f}, M, 0, false, {}, {}, true},
    {81, {156.5f, 83.0f, -66.6667f}, {2.0f, 1.0f, 1.0f}, M, 0, false, {}, {}, true},
    {82, {146.5f, 83.0f, -66.6667f}, {2.0f, 1.0f, 1.0f}, M, 0, false, {}, {}, true},
    {83, {136.5f, 83.0f, -66.6667f}, {2.0f, 1.0f, 1.0f}, M, 0, false, {}, {}, true},
    {84, {108.5f, 83.0f, -66.6667f}, {20.0f, 1.0f, 1.0f}, M, 0, false, {}, {}, true},
    {85, {107.5f, 81.0f, -66.6667f}, {20.0f, 1.0f, 1.0f}, M, 0, false, {}, {}, true},
    {86, {108.5f, 79.0f, -66.6667f}, {20.0f, 1.0f, 1.0f}, M, 0, false, {}, {}, true},
    {87, {107.5f, 77.0f, -66.6667f}, {20.0f, 1.0f, 1.0f}, M, 0, false, {}, {}, true},
    {88, {108.5f, 75.0f, -66.6667f}, {20.0f, 1.0f, 1.0f}, M, 0, false, {}, {}, true},
    {89, {107.5f, 75.0f, -65.6667f}, {21.0f, 12.0f, 0.25f}, G, 0, false, {}, {}, true},
    {90, {107.5f, 75.0f, -66.9167f}, {21.0f, 12.0f, 0.25f}, G, 0, false, {}, {}, true},
    {91, {107.25f, 75.0f, -66.9167f}, {0.25f, 12.0f, 1.5f}, G, 0, false, {}, {}, true},
    {92, {128.5f, 75.0f, -66.9167f}, {0.25f, 9.0f, 1.5f}, G, 0, false, {}, {}, true},
    {93, {110.5f, 83.0f, -16.6667f}, {20.0f, 1.0f, 1.0f}, M, 0, false, {}, {}, true},
    {94, {109.5f, 81.0f, -16.6667f}, {20.0f, 1.0f, 1.0f}, M, 0, false, {}, {}, true},
    {95, {110.5f, 79.0f, -16.6667f}, {20.0f, 1.0f, 1.0f}, M, 0, false, {}, {}, true},
    {96, {109.5f, 77.0f, -16.6667f}, {20.0f, 1.0f, 1.0f}, M, 0, false, {}, {}, true},
    {97, {110.5f, 75.0f, -16.6667f}, {20.0f, 1.0f, 1.0f}, M, 0, false, {}, {}, true},
    {98, {109.5f, 75.0f, -15.6667f}, {21.0f, 12.0f, 0.25f}, G, 0, false, {}, {}, true},
    {99, {109.5f, 75.0f, -16.9167f}, {21.0f, 12.0f, 0.25f}, G, 0, false, {}, {}, true},
    {100, {109.25f, 76.0f, -16.9167f}, {0.25f, 11.0f, 1.5f}, G, 0, false, {}, {}, true},
    {101, {130.5f, 75.0f, -16.9167f}, {0.25f, 9.0f, 1.5f}, G, 0, false, {}, {}, true},
    {102, {104.5f, 73.0f, -70.6667f}, {8.0f, 1.0f, 8.0f}, M, 0, false, {0.0f, 0.0f, 55.0f}, {0.0f, 0.0f, 6.0f}, true},
    {103, {104.5f, 74.0f, -70.6667f}, {0.4f, 0.5f, 8.0f}, M, 0, false, {0.0f, 0.0f, 55.0f}, {0.0f, 0.0f, 6.0f}, true},
    {104, {112.1f, 74.0f, -70.6667f}, {0.4f, 0.5f, 8.0f}, M, 0, false, {0.0f, 0.0f, 55.0f}, {0.0f, 0.0f, 6.0f}, true},
    {105, {104.5f, 74.0f, -70.6667f}, {8.0f, 0.5f, 0.4f}, M, 0, false, {0.0f, 0.0f, 55.0f}, {0.0f, 0.0f, 6.0f}, true},
    {106, {104.5f, 74.0f, -63.0667f}, {8.0f, 0.5f, 0.4f}, M, 0, false, {0.0f, 0.0f, 55.0f}, {0.0f, 0.0f, 6.0f}, true},
    {107, {108.5f, 75.0f, -16.6667f}, {2.0f, 0.25f, 1.0f}, M, 0, false, {}, {}, true},
    {108, {131.0f, 83.0f, -19.3333f}, {5.3333f, 0.6667f, 5.3333f}, M, 1, false, {0.0f, 50.0f, 0.0f}, {0.0f, 7.0f, 0.0f}, true},
    {109, {137.0f, 131.0f, -19.3333f}, {5.3333f, 0.6667f, 5.3333f}, M, 1, false, {0.0f, 50.0f, 0.0f}, {0.0f, 7.0f, 0.0f}, false},
    {110, {148.0f, 176.0f, -29.3333f}, {10.0f, 0.5f, 20.0f}, M, 0, false, {}, {}, true},
    {111, {148.0f, 176.0f, -69.3333f}, {10.0f, 0.5f, 20.0f}, M, 0, false, {}, {}, true},
    {112, {148.0f, 176.0f, -109.3333f}, {10.0f, 0.5f, 20.0f}, M, 0, false, {}, {}, true},
    {113, {178.0f, 176.0f, -109.3333f}, {20.0f, 0.5f, 10.0f}, M, 0, false, {}, {}, true},
    {114, {178.0f, 176.0f, -159.3333f}, {20.0f, 0.5f, 30.0f}, M, 0, false, {}, {}, true},
};

const float tolerance = 0.0001f;

Material materialOf(Tex t)
{
    if (t == M) return Material::Metal;
    if (t == G) return Material::Glass;
    return Material::Wood;
}

void expectNear(Vec3 actual, Vec3 expected, const char* what, int number)
{
    for (int axis = 0; axis < 3; ++axis) {
        EXPECT_NEAR(actual[axis], expected[axis], tolerance)
            << what << " axis " << axis << " of block " << number;
    }
}

void expectSame(Vec3 actual, Vec3 expected)
{
    for (int axis = 0; axis < 3; ++axis) EXPECT_EQ(actual[axis], expected[axis]) << "axis " << axis;
}

class LevelTest : public ::testing::Test {
protected:
    const Course level = buildLevel();
    const std::vector<Block>& blocks = level.blocks;
    const std::vector<SizeOrb>& sizeOrbs = level.sizeOrbs;
    const std::vector<Checkpoint>& checkpoints = level.checkpoints;
};

TEST_F(LevelTest, EveryBlockMatchesTheCourseTable)
{
    const std::size_t rows = sizeof course / sizeof course[0];
    ASSERT_EQ(rows, 114u);
    ASSERT_EQ(blocks.size(), rows);
    for (std::size_t i = 0; i < rows; ++i) {
        const Row& r = course[i];
        const Block& b = blocks[i];
        SCOPED_TRACE(r.number);
        ASSERT_EQ(r.number, static_cast<int>(i) + 1);
        expectNear(b.basePosition, r.base, "basePosition", r.number);
        expectNear(b.size, r.size, "size", r.number);
        expectNear(b.travel, r.travel, "travel", r.number);
        expectNear(b.velocity, r.velocity, "velocity", r.number);
        // A block starts exactly on its base or its far end, not near them.
        const Vec3 start = r.atBase ? b.basePosition
                                    : Vec3{b.basePosition.x + b.travel.x, b.basePosition.y + b.travel.y,
                                           b.basePosition.z + b.travel.z};
        expectSame(startPosition(b), start);
        EXPECT_EQ(b.material, materialOf(r.texture));
        if (b.material == Material::Wood) {
            EXPECT_EQ(b.grain, r.texture - W0);
        }
        EXPECT_FLOAT_EQ(b.opacity, r.texture == G ? 0.4f : 1.0f);
        EXPECT_EQ(b.shape, r.shape == 1 ? Shape::Cylinder : Shape::Box);
        EXPECT_EQ(b.flipTexture, r.flipTexture);
        EXPECT_EQ(b.spin, 0.0f);
    }
}

TEST_F(LevelTest, OrbsCheckpointsAndGoal)
{
    ASSERT_EQ(sizeOrbs.size(), 2u);
    expectNear(sizeOrbs[0].position, {250.75f, 63.75f, -14.9167f}, "orb", 1);
    EXPECT_EQ(sizeOrbs[0].sizeKind, 0);
    expectNear(sizeOrbs[1].position, {153.0f, 177.2f, -24.3333f}, "orb", 2);
    EXPECT_EQ(sizeOrbs[1].sizeKind, 2);

    ASSERT_EQ(checkpoints.size(), 3u);
    expectNear(checkpoints[0].position, {23.0f, 33.0f, -163.0f}, "checkpoint", 1);
    EXPECT_EQ(checkpoints[0].sizeKind, 1);
    expectNear(checkpoints[1].position, {234.5f, 86.0f, -66.1667f}, "checkpoint", 2);
    EXPECT_EQ(checkpoints[1].sizeKind, 0);
    expectNear(checkpoints[2].position, {153.0f, 177.2f, -14.3333f}, "checkpoint", 3);
    EXPECT_EQ(checkpoints[2].sizeKind, 2);

    expectNear(level.goalPosition, {188.0f, 185.2f, -144.3333f}, "goal", 0);
}

// Blocks placed from the same cursor must share the exact corner, not just
// nearly: the walls and rims are meant to meet without a sliver of a gap.
TEST_F(LevelTest, PairsStampedFromOneCursorShareTheirCorner)
{
    const int pairs[][2] = {{20, 21}, {42, 43}, {50, 51}, {52, 53}, {54, 55}, {103, 105}};
    for (const auto& p : pairs) {
        SCOPED_TRACE(p[0]);
        const Block& a = blocks[p[0] - 1];
        const Block& b = blocks[p[1] - 1];
        expectSame(a.basePosition, b.basePosition);
        EXPECT_FALSE(a.size.x == b.size.x && a.size.y == b.size.y && a.size.z == b.size.z);
    }
}

// The opening under the lintel: 1 wide between the posts, 0.7 high above
// the beam's top. A ball of radius 0.25 fits through, one of 0.5 does not.
TEST_F(LevelTest, GateOpeningLetsOnlyTheSmallBallThrough)
{
    const Block& beam = blocks[43];
    const Block& postA = blocks[44];
    const Block& postB = blocks[45];
    const Block& lintel = blocks[46];
    const float height = startPosition(lintel).y - (startPosition(beam).y + beam.size.y);
    const float width = startPosition(postB).z - (startPosition(postA).z + postA.size.z);
    EXPECT_NEAR(height, 0.7f, tolerance);
    EXPECT_NEAR(width, 1.0f, tolerance);
    EXPECT_LT(2 * 0.25f, height);
    EXPECT_GT(2 * 0.5f, height);
    // The lintel covers exactly the gap between the posts.
    EXPECT_NEAR(startPosition(lintel).z, startPosition(postA).z + postA.size.z, tolerance);
    EXPECT_NEAR(lintel.size.z, width, tolerance);
}

}  // namespace
