#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/files/course_file.h"
#include "world/level.h"

namespace {

namespace fs = std::filesystem;

const std::string good = "skycourse-course 1\nname \"T\"\nstart at=0,1,0\ngoal at=0,5,0\n";
const std::string cube = "block at=0,0,0 size=1,1,1 material=metal";

std::string repeated(const std::string& line, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i) text += line;
    return text;
}

struct BadFile {
    std::string text;
    std::string complaint;  // after "FILE: "
};

const BadFile badFiles[] = {
    {"", "line 1: not a course file: the first line must be 'skycourse-course 1'"},
    {"skycourse-course 2\n" + good, "line 1: course format version '2' is not one this game reads (1)"},
    {good + "ramp at=0,0,0\n", "line 5: unknown line 'ramp': expected block, orb, checkpoint, goal, start, name or par"},
    {good + "blo\x1b[2Jck\n", "line 5: unknown line 'blo?[2Jck': expected block, orb, checkpoint, goal, start, name or par"},
    {good + cube + " colour=red\n", "line 5: unknown field 'colour' on a block line"},
    {good + cube + " ball=small\n", "line 5: unknown field 'ball' on a block line"},
    {good + cube + " at=1,1,1\n", "line 5: field 'at' given twice"},
    {good + "block at=0,0,0 material=metal\n", "line 5: a block line needs size="},
    {good + "block at=0,0 size=1,1,1 material=metal\n", "line 5: at: takes three numbers x,y,z"},
    {good + "orb at=0,nan,0 ball=small\n", "line 5: at: 'nan' is not a finite number"},
    {good + "orb at=0,1e39,0 ball=small\n", "line 5: at: '1e39' is not a finite number"},
    {good + "orb at=0,0,0 ball=tiny\n", "line 5: ball: 'tiny' is not small, normal or large"},
    {good + "checkpoint at=100000.01,0,0 ball=normal\n", "line 5: at: beyond 100000 on an axis"},
    {good + "block at=0,0,0 size=1,0,1 material=metal\n", "line 5: size: each side must be above 0 and at most 100000"},
    {good + cube + " grain=2\n", "line 5: grain: only a wooden block has a grain"},
    {good + cube + " opacity=1.5\n", "line 5: opacity: must be a number from 0 to 1"},
    {good + cube + " travel=0,-1,0\n", "line 5: travel: must not be below 0: the block moves from at= toward +x, +y, +z"},
    {good + cube + " travel=0,0,100000\nblock at=0,0,1 size=1,1,1 material=metal travel=0,0,100000\n",
     "line 6: travel: the far end is beyond 100000 on an axis"},
    {good + cube + " travel=0,5,5 velocity=0,8,-8\n" + cube + " travel=0,5,0 velocity=0,8.01,0\n",
     "line 6: velocity: at most 8 units a second on each axis"},
    {good + cube + " travel=0,5,0 velocity=1,0,0\n", "line 5: velocity: a speed on an axis with no travel"},
    {good + "goal at=1,1,1\n", "line 5: a second goal line (the first is line 4)"},
    {"skycourse-course 1\nname The Ascent\n", "line 2: the name goes in double quotes: name \"My Course\""},
    {good + "par 0\n", "line 5: par takes whole seconds from 1 to 86400"},
    {"skycourse-course 1\nname \"T\"\nstart at=0,1,0\n" + cube + "\n", "line 4: the file ends with no goal line: goal at=x,y,z"},
    {good + repeated("orb at=0,0,0 ball=small\n", 10001), "line 10005: more than 10000 blocks, orbs and checkpoints"},
    {good + repeated("# padding to go over the limit\n", 35000), "larger than 1 MB"},
};

struct CourseFileTest : testing::Test {
    fs::path folder;
    void SetUp() override
    {
        char name[] = "/tmp/skycourse-course-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        folder = name;
    }
    void TearDown() override { fs::remove_all(folder); }
};

TEST_F(CourseFileTest, EachBadFileIsOneLineNamingTheFileAndTheFault)
{
    const std::string path = (folder / "bad.course").string();
    for (const BadFile& bad : badFiles) {
        SCOPED_TRACE(bad.complaint);
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bad.text;
        Course course;
        course.goalPosition = {1.0f, 2.0f, 3.0f};
        const Course before = course;
        CourseInfo info{"Before", 9};
        EXPECT_EQ(loadCourseFile(path, course, info), path + ": " + bad.complaint);
        EXPECT_TRUE(course == before);
        EXPECT_EQ(info, (CourseInfo{"Before", 9}));
    }
    Course course;
    CourseInfo info;
    EXPECT_EQ(loadCourseFile(path + "x", course, info), path + "x: no such file");
    EXPECT_EQ(loadCourseFile(folder.string(), course, info), folder.string() + ": cannot be read");
    // A named pipe nobody writes to is refused at once, not waited on.
    ASSERT_EQ(mkfifo((folder / "pipe").c_str(), 0600), 0);
    EXPECT_EQ(loadCourseFile((folder / "pipe").string(), course, info), (folder / "pipe").string() + ": cannot be read");
}

// The file the build ships is the course the game builds, and reads back
// to the very text it was written as.
TEST(ShippedCourse, TheAscentLoadsToTheBuiltInCourse)
{
    const std::string path = SKYCOURSE_GAME_DIR "/courses/ascent.course";
    Course course;
    CourseInfo info;
    ASSERT_EQ(loadCourseFile(path, course, info), "");
    EXPECT_TRUE(course == buildLevel());
    EXPECT_EQ(info.name, "The Ascent");
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    EXPECT_EQ(spellCourse(course, info), text.str());
}

// Every course the build ships, written out and read back, is the same
// course to the bit (the designed ones are written by hand, with comments,
// so only the course is compared, and the text it spells the second time).
TEST(ShippedCourse, EveryCourseReadsBackFromItsOwnText)
{
    int courses = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(SKYCOURSE_GAME_DIR "/courses")) {
        if (entry.path().extension() != ".course") continue;
        ++courses;
        const std::string path = entry.path().string();
        Course course;
        CourseInfo info;
        ASSERT_EQ(loadCourseFile(path, course, info), "") << path;
        const std::string spelt = spellCourse(course, info);
        Course again;
        CourseInfo againInfo;
        ASSERT_EQ(parseCourse(spelt, again, againInfo), "") << path;
        EXPECT_TRUE(again == course) << path;
        EXPECT_EQ(againInfo, info) << path;
        EXPECT_EQ(spellCourse(again, againInfo), spelt) << path;
    }
    // The built-in course and the six designed ones.
    EXPECT_GE(courses, 7);
}

}  // namespace
