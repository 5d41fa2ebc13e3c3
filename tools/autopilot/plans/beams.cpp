// The route of courses/beams.course: along the beams at full speed, the
// gaps taken by hops searched for their take-off, each corner pad rolled to.

#include "tools/autopilot/drive.h"
#include "tools/autopilot/pilot.h"
#include "tools/autopilot/plans/plans.h"

namespace {

bool checkpointTaken(size_t index)
{
    return game().courseState.checkpoints[index].taken;
}

// The start pad, two long beams and the first corner.
bool firstBeams()
{
    return rollTo(0, -40) && hop({2, 3, 0.5f, 20}) && rollTo(0, -103) && checkpointTaken(0);
}

// Along +x, up a step, round the second corner and down the short beams.
bool stepsDown()
{
    return rollTo(35, -103) && hop({6, 7, 10, 0.5f}) && rollTo(80, -103) && rollTo(80, -130) &&
           hop({10, 11, 0.5f, 6}) && hop({11, 12, 0.5f, 6}) && hop({12, 13, 0.5f, 6}) && rollTo(80, -200) &&
           checkpointTaken(1);
}

// The S of beams and pads.
bool theS()
{
    return rollTo(62, -200) && rollTo(62, -242) && rollTo(88, -242);
}

// Up the rising beams and over the glass bridge.
bool glassBridge()
{
    return rollTo(88, -260) && hop({25, 26, 0.5f, 10}) && hop({26, 27, 0.5f, 9}) && rollTo(88, -324) &&
           rollTo(96, -324) && rollTo(96, -342);
}

// The last beams along +x and a jump into the ring.
bool lastRun()
{
    return rollTo(120, -342) && hop({36, 37, 10, 0.5f}) && hop({37, 38, 10, 0.5f}) && rollTo(216, -342) &&
           jumpAt(216, -342, finished);
}

} // namespace

const std::vector<Section>& beamsPlan()
{
    static const std::vector<Section> list = {
        {"first beams", firstBeams},
        {"steps down", stepsDown},
        {"the S", theS},
        {"glass bridge", glassBridge},
        {"last run", lastRun},
    };
    return list;
}
