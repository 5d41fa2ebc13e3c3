#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>

#include "world/course_text.h"

namespace {

const std::string header = "skycourse-course 1\nname \"Test\"\nstart at=0,1,0\ngoal at=0,5,0\n\n";

// What a hand-written object line reads as: spelled back the way the game
// writes it, every omitted field at its default.
struct Spelling {
    const char* written;
    const char* spelled;
};

const Spelling spellings[] = {
    // Glass is see-through unless told otherwise; other materials are solid.
    {"block at=0,0,0 size=1,1,1 material=glass", "block at=0,0,0 size=1,1,1 material=glass"},
    {"block at=0,0,0 size=1,1,1 material=glass opacity=1", "block at=0,0,0 size=1,1,1 material=glass opacity=1"},
    {"block at=0,0,0 size=1,1,1 material=none opacity=0.4", "block at=0,0,0 size=1,1,1 material=none opacity=0.4"},
    {"block\tsize=8,1,8 start=far velocity=2,0,0 travel=8,0,0 shape=cylinder grain=5 material=wood at=-4,2.5,-15",
     "block at=-4,2.5,-15 size=8,1,8 material=wood grain=5 shape=cylinder travel=8,0,0 velocity=2,0,0 start=far"},
    {"block at=0,0,0 size=1,1,1 material=wood flip=yes start=base shape=box",
     "block at=0,0,0 size=1,1,1 material=wood grain=0 flip=yes"},
    // The shortest spelling that reads back to the same float, -0 kept.
    {"block at=0.1,-66.6666666667,-0 size=1e-45,49.6,100000 material=metal",
     "block at=0.1,-66.666664,-0 size=1e-45,49.6,100000 material=metal"},
    {"orb   at=1,2,3   ball=small  # shrinks", "orb at=1,2,3 ball=small"},
    {"checkpoint at=1,2,3 ball=large", "checkpoint at=1,2,3 ball=large"},
};

std::string reread(const std::string& text)
{
    Course course;
    CourseInfo info;
    const std::string wrong = parseCourse(text, course, info);
    return wrong.empty() ? spellCourse(course, info) : wrong;
}

TEST(CourseText, HandWrittenLinesReadBackAsTheGameSpellsThem)
{
    for (const Spelling& s : spellings) {
        SCOPED_TRACE(s.written);
        const std::string spelled = reread(header + s.written + "\n");
        const size_t body = spelled.find("\n\n") + 2;
        EXPECT_EQ(spelled.substr(body), std::string(s.spelled) + "\n");
    }
}

// Every float, whatever its bits, comes back to the same bits.
TEST(CourseText, EveryFloatReadsBackToItsBits)
{
    Builder builder;
    for (uint32_t bits = 0; bits < 0x47c35000u; bits += 0x000f4243u) {  // up to 100000
        const float value = std::bit_cast<float>(bits);
        builder.builderState.cursor = {value, -value, value / 3.0f};
        builder.builderState.size = {value > 0.0f ? value : 1.0f, 1.0f, 1.0f};
        stampBlock(builder);
    }
    Course course;
    CourseInfo info;
    ASSERT_EQ(parseCourse(spellCourse(builder.course, {"Floats", 0}), course, info), "");
    ASSERT_EQ(course.blocks.size(), builder.course.blocks.size());
    for (size_t i = 0; i < course.blocks.size(); ++i) {
        for (int axis = 0; axis < 3; ++axis) {
            EXPECT_EQ(std::bit_cast<uint32_t>(course.blocks[i].basePosition[axis]),
                      std::bit_cast<uint32_t>(builder.course.blocks[i].basePosition[axis]));
            EXPECT_EQ(std::bit_cast<uint32_t>(course.blocks[i].size[axis]),
                      std::bit_cast<uint32_t>(builder.course.blocks[i].size[axis]));
        }
    }
}

}  // namespace
