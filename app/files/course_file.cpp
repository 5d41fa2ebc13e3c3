#include "app/files/course_file.h"

#include "app/files/printable.h"
#include "app/files/small_file.h"

std::string loadCourseFile(const std::string& path, Course& course, CourseInfo& info)
{
    std::string text;
    const std::string name = printable(path) + ": ";
    switch (readSmallFile(path, largestCourseFile, text)) {
    case SmallFile::Missing: return name + "no such file";
    case SmallFile::Unreadable: return name + "cannot be read";
    case SmallFile::TooLarge: return name + "larger than " + std::to_string(largestCourseFile / (1024 * 1024)) + " MB";
    case SmallFile::Read: break;
    }
    const std::string wrong = parseCourse(text, course, info);
    return wrong.empty() ? "" : name + wrong;
}
