#pragma once
// The courses a player can choose: ours, shipped in the media folder's
// courses/, and the player's own in $XDG_DATA_HOME/skycourse/courses/, each
// a `.course` file named by its id. The built-in course is "ascent": built
// in code, its shipped file only a copy.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "world/course_text.h"

constexpr const char* builtInCourseId = "ascent";

// The built-in course, built on first use and never changed after: every
// game of it that the front, a script or a ghost starts shares this one.
const std::shared_ptr<const Course>& builtInCourse();

struct CourseListing {
    std::string id;        // the file's name without .course
    std::string name;      // as the file says
    int64_t parMs = 0;     // 0: none given
    std::string path;
};

// The shipped folder (beside the media), then the player's own (when there
// is a data folder).
std::vector<std::string> courseFolders();

// Every course of the folders, by id, a player's course of the same id as
// one of ours after it (ours are listed first and win). A file that does
// not load is left out, with its one line in `problems`.
std::vector<CourseListing> listCourses(const std::vector<std::string>& folders, std::vector<std::string>& problems);

struct FoundCourse {
    std::shared_ptr<const Course> course;
    CourseInfo info;
    std::string id;  // a listed course's id, or the file's path
};

// NAME, a course of the folders, or FILE, a path to a course file (it has
// a '/' or ends in .course): empty, or the one line saying what is wrong.
// "ascent" is the built-in course itself.
std::string findCourse(const std::string& nameOrFile, const std::vector<std::string>& folders, FoundCourse& found);

// Where a course's best times and best run are kept in the data folder:
// the folder itself for the built-in course (times.json and best.replay as
// they always were), runs/<id>/ for any other.
std::string courseRunsFolder(const std::string& dataFolder, const std::string& id);
