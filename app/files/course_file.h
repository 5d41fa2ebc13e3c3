#pragma once
// A course file, the player's or ours, read as untrusted.

#include <cstddef>
#include <string>

#include "world/course_text.h"

// Far more than a course of the most objects a course may have needs.
constexpr size_t largestCourseFile = 1024 * 1024;

// Reads and checks the course at `path`. Returns "" and fills `course` and
// `info`, or one printable line naming the file and what is wrong with it
// ("FILE: line N: ..." when it is in the text), leaving both as they were.
std::string loadCourseFile(const std::string& path, Course& course, CourseInfo& info);
