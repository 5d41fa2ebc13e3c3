#pragma once
// A course's route, section by section: the built-in course's here, each
// of our other courses' in plans/.

#include <functional>
#include <string>
#include <vector>

// One stretch of a route: drives the ball through it from where the last
// one left it, and says whether it got there.
struct Section {
    const char* name;
    std::function<bool()> drive;
};

// The built-in course from the start pad to the goal ring.
const std::vector<Section>& ascentPlan();

// Plays `sections` in turn from wherever the game is; each reports where the
// ball is. Returns the number passed (all of them when the ball reached the
// ring).
int drivePlan(const std::vector<Section>& sections);

// Plays the whole built-in route from the start.
int driveCourse();
int courseSections();

// The replay script of everything played, as the route file holds it: the
// `course` line when `courseId` is not empty, a comment with the count of
// ticks and sections, the ticks, the checkpoint colours and Esc.
std::string planScript(const std::string& courseId, int passed, int sections);
std::string courseScript(int passed);
