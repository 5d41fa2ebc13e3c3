// The route of courses/first-steps.course: block numbers are its block
// lines in order, from 0.

#include "sim/game.h"
#include "tools/autopilot/drive.h"
#include "tools/autopilot/pilot.h"
#include "tools/autopilot/plans/plans.h"
#include "world/world.h"

namespace {

// Down the walkway, over the two discs to the first checkpoint.
bool discs()
{
    return rollTo(0, -20) && hop({1, 3, 3, 3}) && hop({3, 4, 3, 3, 400, 1.5f}) && hop({4, 5, 5, 12, 400, 1.5f}) &&
           rollTo(0, -60) && checkpointTaken(0);
}

bool beam()
{
    return rollTo(0, -66, 10) && rollTo(0, -106, 10) && checkpointTaken(1);
}

// Onto the lift at its foot, up, and across to the terrace.
bool lift()
{
    const BlockNow lift = blockNow(10);
    return hop({8, 10, 2.5f, 2.5f, 600, 0}) &&
           playUntil(rideOn(10, 2.5f, 2.5f), [&] { return lift.position.y > 17.4f; }, 2000) &&
           hop({10, 11, 6, 20, 100, 1.5f}) && rollTo(0, -124) && checkpointTaken(2);
}

// Small through the orb, under the gate, grown again beyond it.
bool gate()
{
    return rollTo(0, -136) && game().ball.radius == smallBallRadius && rollTo(0, -156) &&
           game().ball.radius == normalBallRadius && checkpointTaken(3);
}

bool glass()
{
    if (!hop({13, 18, 2, 2})) return false;
    for (int stone = 18; stone < 26; ++stone) {
        if (!hop({stone, stone + 1, 2, 2, 0, 1.5f})) return false;
    }
    return hop({26, 27, 6, 8, 0, 1.5f}) && playUntil([] { return steerTo(0, -232, 10); }, finished, 800);
}

} // namespace

const std::vector<Section>& firstStepsPlan()
{
    static const std::vector<Section> list = {
        {"discs", discs}, {"beam", beam}, {"lift", lift}, {"gate", gate}, {"glass", glass},
    };
    return list;
}
