#include "tests/support/media_files.h"
#include "tests/tools/media_reading.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <tuple>
#include <vector>

namespace {

struct Corner {
    float s, t, x, y, z;
};

// The sky box as the game draws it: per face (in texture order) the four
// texture coordinates and the cube corners they are pinned to.
const Corner faces[6][4] = {
    {{0, 0, .5, -.5, -.5}, {1, 0, -.5, -.5, -.5}, {1, 1, -.5, .5, -.5}, {0, 1, .5, .5, -.5}},
    {{0, 0, .5, -.5, .5}, {1, 0, .5, -.5, -.5}, {1, 1, .5, .5, -.5}, {0, 1, .5, .5, .5}},
    {{0, 0, -.5, -.5, .5}, {1, 0, .5, -.5, .5}, {1, 1, .5, .5, .5}, {0, 1, -.5, .5, .5}},
    {{0, 0, -.5, -.5, -.5}, {1, 0, -.5, -.5, .5}, {1, 1, -.5, .5, .5}, {0, 1, -.5, .5, -.5}},
    {{1, 1, -.5, .5, -.5}, {0, 1, -.5, .5, .5}, {0, 0, .5, .5, .5}, {1, 0, .5, .5, -.5}},
    {{1, 0, -.5, -.5, -.5}, {0, 0, -.5, -.5, .5}, {0, 1, .5, -.5, .5}, {1, 1, .5, -.5, -.5}},
};

std::array<float, 3> cubePoint(int face, float s, float t)
{
    std::array<float, 3> p{0, 0, 0};
    for (const Corner& c : faces[face]) {
        const float w = (c.s > 0.5f ? s : 1 - s) * (c.t > 0.5f ? t : 1 - t);
        p[0] += w * c.x;
        p[1] += w * c.y;
        p[2] += w * c.z;
    }
    return p;
}

struct EdgeTexel {
    int face;
    Bmp::Texel colour;
};

} // namespace

// With clamped edge sampling the outermost texel is what the game shows
// right at the cube's edge; the two faces meeting there must agree.
TEST(SkyFaces, TexelsOnSharedCubeEdgesAgreeBetweenFaces)
{
    std::vector<Bmp> sky;
    for (int face = 0; face < 6; ++face)
        sky.push_back(loadBmp(skyPictures[face]));
    const int n = sky[0].width;
    for (const Bmp& b : sky) {
        ASSERT_EQ(b.width, n);
        ASSERT_EQ(b.height, n);
    }

    // Key the border texels by the cube point they are drawn at.
    std::map<std::tuple<long, long, long>, std::vector<EdgeTexel>> byPoint;
    for (int face = 0; face < 6; ++face)
        for (int row = 0; row < n; ++row)
            for (int col = 0; col < n; ++col) {
                if (row != 0 && row != n - 1 && col != 0 && col != n - 1)
                    continue;
                // The first file row is t = 0; texel centres on the border sit on the edge.
                const auto p = cubePoint(face, float(col) / (n - 1), float(row) / (n - 1));
                const auto key = std::make_tuple(std::lround(p[0] * 2 * (n - 1)), std::lround(p[1] * 2 * (n - 1)),
                                                 std::lround(p[2] * 2 * (n - 1)));
                byPoint[key].push_back({face, sky[face].at(col, row)});
            }

    int shared = 0, worst = 0, lowest = 255, highest = 0;
    for (const auto& [point, texels] : byPoint) {
        if (texels.size() < 2)
            continue;
        ++shared;
        for (const EdgeTexel& a : texels)
            for (const EdgeTexel& b : texels) {
                const int d = std::max({std::abs(a.colour.r - b.colour.r), std::abs(a.colour.g - b.colour.g),
                                        std::abs(a.colour.b - b.colour.b)});
                worst = std::max(worst, d);
                if (d > 3)
                    ADD_FAILURE() << skyPictures[a.face] << " and " << skyPictures[b.face] << " differ by " << d;
            }
        lowest = std::min(lowest, texels[0].colour.b);
        highest = std::max(highest, texels[0].colour.b);
    }
    // Every border point lies on an edge of two faces (corners on three).
    EXPECT_EQ(shared, static_cast<int>(byPoint.size()));
    EXPECT_EQ(byPoint.size(), static_cast<size_t>(12 * (n - 2) + 8));
    EXPECT_LE(worst, 3);
    // The sky changes along its edges, so agreement is not trivial.
    EXPECT_GT(highest - lowest, 40);
}

TEST(SkyFaces, ZenithIsBlueAndTheHorizonPale)
{
    // The middle of the top face looks straight up; the middle of a side
    // face looks at the horizon, which is pale haze.
    const Bmp top = loadBmp("pos_y.bmp"), front = loadBmp("pos_z.bmp");
    const auto zenith = top.at(top.width / 2, top.height / 2);
    EXPECT_GT(zenith.b, zenith.r + 40);
    const auto horizon = front.at(front.width / 2, front.height / 2);
    EXPECT_GT(horizon.r + horizon.g + horizon.b, 3 * 170);
}
