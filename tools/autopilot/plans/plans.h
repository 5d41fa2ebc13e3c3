#pragma once
// Each course's route plan, found by the course's id: the built-in course's
// in route.cpp, each other course's in plans/<id>.cpp.

#include <string>
#include <vector>

#include "tools/autopilot/route.h"

const std::vector<Section>& firstStepsPlan();
const std::vector<Section>& spiralPlan();
const std::vector<Section>& glassMazePlan();
const std::vector<Section>& beamsPlan();
const std::vector<Section>& sizePuzzlePlan();
const std::vector<Section>& longRidePlan();

// The plan for the course `id`; null when there is none.
const std::vector<Section>* findPlan(const std::string& id);

// The ids that have a plan, for the usage line.
std::string planIds();
