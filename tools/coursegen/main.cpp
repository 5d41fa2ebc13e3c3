// Writes the built-in course as a course file, so that the game folder and
// the package ship it beside the courses made as files:
//   skycourse-coursegen FOLDER     writes FOLDER/ascent.course

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "world/course_text.h"
#include "world/level.h"

namespace {

// The par is the recorded route's time (tests/routes/full-course.replay,
// 9398 ticks of 25 ms) rounded up to a whole second.
const CourseInfo ascent{"The Ascent", 235};

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: skycourse-coursegen FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    const std::filesystem::path path = folder / "ascent.course";
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << spellCourse(buildLevel(), ascent);
    out.close();
    if (!out) {
        std::fprintf(stderr, "skycourse-coursegen: cannot write %s\n", path.c_str());
        return 1;
    }
    return 0;
}
