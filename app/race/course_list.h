#pragma once
// The courses as --list-courses prints them: each one's name to give
// --course, its title, its par and the player's best time on it.

#include <string>
#include <vector>

#include "app/files/course_library.h"

// The best time kept for the course in its runs folder, 0 when none.
int64_t bestTimeOf(const std::string& runsFolder);

std::string describeCourses(const std::vector<std::string>& folders, const std::string& dataFolder);
