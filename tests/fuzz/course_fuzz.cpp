// libFuzzer target: any bytes as a course file's text. Besides what the
// sanitizers catch: a complaint is one printable line that names its line;
// an accepted course keeps to the limits the format promises, and is
// spelled to a text that reads back to the same course and the same text.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "world/course_text.h"

namespace {

bool safeToPrint(const std::string& text)
{
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7f) return false;
    }
    return true;
}

bool near(Vec3 point)
{
    for (int axis = 0; axis < 3; ++axis) {
        if (!(std::fabs(point[axis]) <= farthestCoordinate)) return false;
    }
    return true;
}

bool withinLimits(const Course& course)
{
    if (course.blocks.size() + course.sizeOrbs.size() + course.checkpoints.size() > size_t(mostCourseObjects)) return false;
    if (!near(course.start) || !near(course.goalPosition)) return false;
    for (const Block& b : course.blocks) {
        const Vec3 farEnd{b.basePosition.x + b.travel.x, b.basePosition.y + b.travel.y, b.basePosition.z + b.travel.z};
        if (!near(b.basePosition) || !near(farEnd) || b.grain < 0 || b.grain > 5) return false;
        for (int axis = 0; axis < 3; ++axis) {
            if (!(b.size[axis] > 0.0f && b.travel[axis] >= 0.0f && std::fabs(b.velocity[axis]) <= fastestBlockSpeed)) return false;
        }
    }
    for (const SizeOrb& orb : course.sizeOrbs) {
        if (!near(orb.position) || orb.sizeKind < 0 || orb.sizeKind > 2) return false;
    }
    for (const Checkpoint& checkpoint : course.checkpoints) {
        if (!near(checkpoint.position) || checkpoint.sizeKind < 0 || checkpoint.sizeKind > 2) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Course course;
    CourseInfo info;
    const std::string problem = parseCourse(std::string_view(reinterpret_cast<const char*>(data), size), course, info);
    if (!problem.empty()) {
        if (problem.rfind("line ", 0) != 0 || !safeToPrint(problem)) std::abort();
        return 0;
    }
    if (!withinLimits(course)) std::abort();
    const std::string spelled = spellCourse(course, info);
    Course again;
    CourseInfo againInfo;
    if (!parseCourse(spelled, again, againInfo).empty() || !(again == course) || !(againInfo == info)) std::abort();
    if (spellCourse(again, againInfo) != spelled) std::abort();
    return 0;
}
