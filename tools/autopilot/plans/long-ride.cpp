// The route of courses/long-ride.course: from each ferry to the next when
// they meet, the hop's wait searched, and up the two lifts.

#include "tools/autopilot/drive.h"
#include "tools/autopilot/pilot.h"
#include "tools/autopilot/plans/plans.h"

namespace {

bool checkpointTaken(size_t index)
{
    return game().courseState.checkpoints[index].taken;
}

// Hops along the blocks `from`, then each of `chain` in turn, riding each
// one until the next comes near, aimed at each one's middle.
bool ferries(int from, int first, int last)
{
    for (int to = first; to <= last; ++to) {
        if (!hop({to == first ? from : to - 1, to, 3, 3, 400, 0})) return false;
    }
    return true;
}

bool firstLeg()
{
    return rollTo(0, -3) && ferries(0, 2, 7) && hop({7, 8, 4, 4, 400, 0}) && rollTo(0, -201) && checkpointTaken(0);
}

// Rides a lift until its top is within `below` of its highest.
bool ride(int lift, float highest)
{
    const BlockNow b = blockNow(lift);
    return playUntil([&] { return steerTo(b.position.x + 3, b.position.z + 3, 10.0f); },
                     [&] { return b.position.y > highest; }, 1000);
}

bool lifts()
{
    return hop({8, 10, 3, 3, 600, 0}) && ride(10, 31.9f) && hop({10, 11, 3, 3, 100, 0}) && ride(11, 43.9f) &&
           hop({11, 12, 4, 4, 100, 0});
}

bool secondLeg()
{
    return ferries(12, 14, 19) && hop({19, 20, 4, 4, 400, 0}) && rollTo(223, -201) && checkpointTaken(1);
}

bool lastLeg()
{
    return ferries(20, 22, 26) && hop({26, 27, 5, 8, 400, 0}) && rollTo(223, -372.5f) && jumpAt(223, -372.5f, finished);
}

} // namespace

const std::vector<Section>& longRidePlan()
{
    static const std::vector<Section> list = {
        {"first leg", firstLeg},
        {"lifts", lifts},
        {"second leg", secondLeg},
        {"last leg", lastLeg},
    };
    return list;
}
