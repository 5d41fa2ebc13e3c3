// skycourse-autopilot: plays a course through the game's own simulation
// and input callbacks, searching hop timings where the course moves, and
// writes the key presses as a script for skycourse-replay.
//   skycourse-autopilot [--course NAME|FILE] [--plan ID] [output.replay]
// (stdout without one). The built-in course without --course; the plan is
// the course's id (its file's name without .course) unless --plan says.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/files/course_library.h"
#include "tools/autopilot/drive.h"
#include "tools/autopilot/plans/plans.h"
#include "tools/autopilot/route.h"

namespace {

int usage()
{
    std::fprintf(stderr, "usage: skycourse-autopilot [--course NAME|FILE] [--plan ID] [output.replay]\n"
                         "plans: %s\n", planIds().c_str());
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    std::string courseName;
    std::string planId;
    std::string output;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "--course" || arg == "--plan") && i + 1 < argc) {
            (arg == "--course" ? courseName : planId) = argv[++i];
        } else if (arg.empty() || arg[0] == '-' || !output.empty()) {
            return usage();
        } else {
            output = arg;
        }
    }
    // The script names the course by its id, as the game folder lists it.
    std::string courseId;
    if (courseName.empty()) {
        startGame();
    } else {
        FoundCourse found;
        const std::string problem = findCourse(courseName, courseFolders(), found);
        if (!problem.empty()) {
            std::fprintf(stderr, "skycourse-autopilot: %s\n", problem.c_str());
            return 2;
        }
        startGame(found);
        courseId = std::filesystem::path(courseName).stem().string();
    }
    if (planId.empty()) planId = courseId.empty() ? builtInCourseId : courseId;
    const std::vector<Section>* plan = findPlan(planId);
    if (plan == nullptr) {
        std::fprintf(stderr, "skycourse-autopilot: no plan '%s'\n", planId.c_str());
        return usage();
    }
    const int passed = drivePlan(*plan);
    const std::string script = planScript(courseId == builtInCourseId ? "" : courseId, passed,
                                          static_cast<int>(plan->size()));
    if (!output.empty()) {
        std::ofstream out(output);
        out << script;
        if (!out) {
            std::fprintf(stderr, "skycourse-autopilot: cannot write %s\n", output.c_str());
            return 2;
        }
    } else {
        std::fputs(script.c_str(), stdout);
    }
    return passed == static_cast<int>(plan->size()) ? 0 : 1;
}
