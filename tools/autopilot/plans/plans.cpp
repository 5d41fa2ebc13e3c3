#include "tools/autopilot/plans/plans.h"

namespace {

struct Plan {
    const char* id;
    const std::vector<Section>& (*sections)();
};

// One line a course.
constexpr Plan plans[] = {
    {"ascent", ascentPlan},
    {"first-steps", firstStepsPlan},
    {"spiral", spiralPlan},
    {"glass-maze", glassMazePlan},
    {"beams", beamsPlan},
    {"size-puzzle", sizePuzzlePlan},
    {"long-ride", longRidePlan},
};

} // namespace

const std::vector<Section>* findPlan(const std::string& id)
{
    for (const Plan& plan : plans) {
        if (id == plan.id) return &plan.sections();
    }
    return nullptr;
}

std::string planIds()
{
    std::string ids;
    for (const Plan& plan : plans) ids += std::string(ids.empty() ? "" : ", ") + plan.id;
    return ids;
}
