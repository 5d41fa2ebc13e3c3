// The route of courses/spiral.course: block numbers are its block lines in
// order, from 0; the spiral's k-th element (k from 0) is block 3 + k.

#include "tools/autopilot/drive.h"
#include "tools/autopilot/pilot.h"
#include "tools/autopilot/plans/plans.h"

namespace {

constexpr int cap = 2;

int element(int k)
{
    return 3 + k;
}

float halfWidth(int k)
{
    if (k % 8 == 4) return 3;
    if (k % 8 == 0 && k > 0) return 2.5f;
    return 2.25f;
}

// Hops from element `first` on to element `last`, one by one.
bool hops(int first, int last)
{
    for (int k = first; k < last; ++k) {
        const float aim = halfWidth(k + 1);
        if (!hop({element(k), element(k + 1), aim, aim, 400, 1.5f})) return false;
    }
    return true;
}

// Onto the lift of element `k` at its foot, up it until its corner passes
// `high`, and off to what follows.
bool lift(int k, float high, int next, float aim)
{
    const BlockNow lift = blockNow(element(k));
    return hop({element(k - 1), element(k), 2.5f, 2.5f, 600, 1.5f}) &&
           playUntil(rideOn(element(k), 2.5f, 2.5f), [&] { return lift.position.y > high; }, 1000) &&
           hop({element(k), next, aim, aim, 100, 1.5f});
}

bool firstTurn()
{
    return hop({0, element(0), 2.25f, 2.25f}) && hops(0, 4) && checkpointTaken(0) && hops(4, 7);
}

bool secondTurn()
{
    return lift(8, 17.9f, element(9), 2.25f) && hops(9, 12) && checkpointTaken(1) && hops(12, 15);
}

bool thirdTurn()
{
    return lift(16, 34.4f, element(17), 2.25f) && hops(17, 20) && checkpointTaken(2) && hops(20, 23);
}

bool summit()
{
    return lift(24, 52.9f, cap, 5.5f) && playUntil([] { return steerTo(0, 0, 10); }, finished, 800);
}

} // namespace

const std::vector<Section>& spiralPlan()
{
    static const std::vector<Section> list = {
        {"first turn", firstTurn}, {"second turn", secondTurn}, {"third turn", thirdTurn}, {"summit", summit},
    };
    return list;
}
