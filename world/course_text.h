#pragma once
// A course as text: what a course file says, read into the builder's
// records and spelled back from them. Only text here: the file itself is
// read by the game (app/course_file.h). The format is in docs/courses.md.

#include <string>
#include <string_view>

#include "world/world.h"

// What a course file says about itself beside its objects.
struct CourseInfo {
    std::string name;
    int par = 0;            // whole seconds for a good run; 0 when not given

    bool operator==(const CourseInfo&) const = default;
};

// Limits on what a file may ask for, so that whatever it says the game can
// build, hold in memory and play: the reasons are in docs/courses.md.
constexpr int mostCourseObjects = 10000;         // blocks, orbs and checkpoints
constexpr float farthestCoordinate = 100000.0f;  // any axis of any point
constexpr float fastestBlockSpeed = 8.0f;        // units a second on any axis
constexpr int longestCourseName = 60;
constexpr int longestPar = 86400;

// Reads a course. Returns "" and fills `course` and `info`, or returns one
// line saying where and what is wrong ("line N: ...", printable ASCII) and
// leaves both as they were.
std::string parseCourse(std::string_view text, Course& course, CourseInfo& info);

// The course as its file, which parseCourse reads back to an equal course
// (every float to the bit) and the same info.
std::string spellCourse(const Course& course, const CourseInfo& info);
