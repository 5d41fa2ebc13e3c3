// The route of courses/glass-maze.course: block numbers are its block lines
// in order, from 0.

#include "tools/autopilot/drive.h"
#include "tools/autopilot/pilot.h"
#include "tools/autopilot/plans/plans.h"

namespace {

// From the start pad over the three sliding platforms to the door landing.
bool approach()
{
    return hop({0, 1, 3, 3}) && hop({1, 2, 3, 3, 400, 1.5f}) && hop({2, 3, 3, 3, 400, 1.5f}) &&
           hop({3, 4, 4, 10, 400, 1.5f});
}

// The labyrinth's way through, cell by cell (x from the west, rows from
// the south), each cell 8 across.
constexpr int way[][2] = {
    {2, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 2}, {0, 3}, {0, 4}, {0, 5}, {1, 5}, {1, 4}, {2, 4}, {3, 4}, {3, 3}, {2, 3},
    {2, 2}, {3, 2}, {3, 1}, {3, 0}, {4, 0}, {4, 1}, {5, 1}, {5, 2}, {4, 2}, {4, 3}, {5, 3}, {5, 4}, {5, 5},
};

bool labyrinth()
{
    for (const auto& cell : way) {
        if (!rollTo(-20.0f + 8 * cell[0], -4.0f - 8 * cell[1])) return false;
    }
    return checkpointTaken(0) && rollTo(20, -52) && checkpointTaken(1);
}

// Up the steps, the lift, and across to the goal platform.
bool climbOut()
{
    const BlockNow lift = blockNow(47);
    if (!hop({41, 42, 3, 3})) return false;
    for (int step = 42; step < 46; ++step) {
        if (!hop({step, step + 1, 3, 3, 0, 1.5f})) return false;
    }
    return hop({46, 47, 2.5f, 2.5f, 600, 0}) &&
           playUntil(rideOn(47, 2.5f, 2.5f), [&] { return lift.position.y > 21.9f; }, 2000) &&
           hop({47, 48, 5, 5, 100, 1.5f}) && playUntil([] { return steerTo(9, -99.5f, 10); }, finished, 800);
}

} // namespace

const std::vector<Section>& glassMazePlan()
{
    static const std::vector<Section> list = {{"approach", approach}, {"labyrinth", labyrinth}, {"climb out", climbOut}};
    return list;
}
