// The route of courses/size-puzzle.course: each orb rolled through at the
// size the next obstacle needs, the long gaps jumped large, the ledges
// climbed large, the low gates and the tunnel passed small.

#include "sim/game.h"
#include "tools/autopilot/drive.h"
#include "tools/autopilot/pilot.h"
#include "tools/autopilot/plans/plans.h"

namespace {

bool checkpointTaken(size_t index)
{
    return game().courseState.checkpoints[index].taken;
}

bool large()
{
    return game().ball.radius == largeBallRadius;
}

bool small()
{
    return game().ball.radius == smallBallRadius;
}

// Shrunk through the first gate, grown on the run-up, over the first gap.
bool firstGap()
{
    return rollTo(0, -10) && rollTo(0, -26) && small() && hop({2, 6, 3, 5.75f, 0, -1.5f, 20, large}) &&
           rollTo(0, -66) && checkpointTaken(0);
}

// Up the ledge large, shrunk through the glass tunnel to checkpoint 2.
bool ledgeAndTunnel()
{
    return climb(8, 0, -70, 0, -76) && rollTo(0, -86) && small() && rollTo(0, -116) && checkpointTaken(1);
}

// Grown on the run-up to the second gap, then two ledges up.
bool secondGap()
{
    return hop({15, 16, 3, 6, 0, 6, 20, large}) && climb(18, 0, -156.5f, 0, -163) && climb(20, 0, -170, 0, -176);
}

// Shrunk for the gate onto the turning pad and its checkpoint.
bool turningPad()
{
    return rollTo(0, -181) && small() && rollTo(0, -193) && checkpointTaken(2);
}

// East: grown on the run-up over the third gap, up the ledge, shrunk
// through the second tunnel.
bool east()
{
    return rollTo(8, -193) && hop({27, 29, 6, 3, 0, 3, 20, large}) && climb(31, 66, -193, 73, -193) &&
           rollTo(78, -193) && small() && rollTo(114, -193);
}

// Grown on the run-up over the fourth gap, up the ledge, shrunk through the
// third tunnel.
bool fourthGap()
{
    return hop({38, 40, 6, 3, 0, 6, 20, large}) && climb(42, 156.5f, -193, 163, -193) && rollTo(169, -193) &&
           small() && rollTo(199, -193);
}

// Grown on the run-up over the last gap, up the last ledge, shrunk through
// the last gate and on to the ring.
bool lastGate()
{
    return hop({49, 51, 6, 3, 0, 5.5f, 20, large}) && climb(53, 240.5f, -193, 248, -193) &&
           rollTo(253, -193) && small() && playUntil([] { return steerTo(264, -193, 20); }, finished, 400);
}

} // namespace

const std::vector<Section>& sizePuzzlePlan()
{
    static const std::vector<Section> list = {
        {"first gap", firstGap},
        {"ledge and tunnel", ledgeAndTunnel},
        {"second gap", secondGap},
        {"turning pad", turningPad},
        {"east", east},
        {"fourth gap", fourthGap},
        {"last gate", lastGate},
    };
    return list;
}
