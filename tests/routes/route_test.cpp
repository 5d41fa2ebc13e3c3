// The recorded route from the start pad to the goal ring, replayed by the
// replay tool alone. The exact end tick is pinned, so that any change to the
// game's motion that alters this play is noticed: when it changes on
// purpose, make the route again with skycourse-autopilot.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "tests/tools/replay_run.h"

namespace {

constexpr long long routeEndTick = 9398;

struct Row {
    long long tick;
    int state;
    double px, py, pz, radius;
    double cpx, cpy, cpz;
};

struct Replay {
    int status = -1;
    std::vector<Row> rows;
    std::vector<std::string> items;
};

const Replay& replayRoute()
{
    static Replay replay = [] {
        const replaytool::Outcome run = replaytool::runFile(ROUTE_PATH);
        Replay r;
        r.status = run.status;
        for (const std::string& line : run.rows) {
            if (line.rfind("checkpoint,", 0) == 0) {
                r.items.push_back(line);
                continue;
            }
            std::vector<std::string> c = replaytool::fields(line);
            if (c.size() != 17 || c[0] == "tick") continue;
            r.rows.push_back(Row{std::stoll(c[0]), std::stoi(c[1]), std::stod(c[2]), std::stod(c[3]),
                                 std::stod(c[4]), std::stod(c[8]), std::stod(c[13]), std::stod(c[14]),
                                 std::stod(c[15])});
        }
        return r;
    }();
    return replay;
}

const Row* firstEndRow(const Replay& r)
{
    for (const Row& row : r.rows) {
        if (row.state == 1) return &row;
    }
    return nullptr;
}

TEST(Route, ReplaysCleanlyAndEndsOnTheEndScreen)
{
    const Replay& r = replayRoute();
    EXPECT_EQ(r.status, 0);
    ASSERT_FALSE(r.rows.empty());
    EXPECT_EQ(r.rows.back().state, 1);
}

TEST(Route, ReachesTheRingAtTheRecordedTick)
{
    const Replay& r = replayRoute();
    const Row* end = firstEndRow(r);
    ASSERT_NE(end, nullptr) << "the route never reaches the goal";
    EXPECT_EQ(end->tick, routeEndTick);
    // The goal is reached by the ball's centre, not its lowest point.
    double dx = end->px - 188.0;
    double dy = end->py + end->radius - 185.2;
    double dz = end->pz - (-144.3333);
    EXPECT_LT(std::sqrt(dx * dx + dy * dy + dz * dz), 1.5);
    // Play does not resume once the end screen is up.
    for (const Row& row : r.rows) {
        if (row.tick >= end->tick) {
            EXPECT_EQ(row.state, 1) << "tick " << row.tick;
        }
    }
}

TEST(Route, TakesAllThreeCheckpointsInCourseOrder)
{
    const Replay& r = replayRoute();
    ASSERT_EQ(r.items.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(r.items[i], "checkpoint," + std::to_string(i + 1) + ",1,0,1");
    }
    // The respawn point moves from the start to each checkpoint in turn.
    const double expected[][3] = {{7, 0.5, 0}, {23, 33, -163}, {234.5, 86, -66.1667}, {153, 177.2, -14.3333}};
    std::vector<std::vector<double>> seen;
    for (const Row& row : r.rows) {
        if (seen.empty() || seen.back() != std::vector<double>{row.cpx, row.cpy, row.cpz}) {
            seen.push_back({row.cpx, row.cpy, row.cpz});
        }
    }
    ASSERT_EQ(seen.size(), 4u);
    for (size_t i = 0; i < seen.size(); ++i) {
        for (int k = 0; k < 3; ++k) EXPECT_NEAR(seen[i][k], expected[i][k], 1e-3) << "respawn point " << i;
    }
}

} // namespace
