// --record's file as it grows: a whole script at every moment, the ticks
// folded into one line, moved onto its name when the game ends.

#include <GL/freeglut.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/script/recording.h"

namespace {

std::string textOf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class RecordingTest : public ::testing::Test {
protected:
    std::string folder;
    std::string path;
    Recording recording;

    void SetUp() override
    {
        char name[] = "/tmp/skycourse-recording-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        folder = name;
        path = folder + "/run.replay";
    }
    void TearDown() override
    {
        finishRecording(recording);
        std::filesystem::remove_all(folder);
    }
    std::string part() const { return textOf(path + ".part"); }
};

TEST_F(RecordingTest, EveryLineIsInTheFileAsSoonAsItIsKnown)
{
    ASSERT_EQ(startRecording(recording, path), "");
    EXPECT_EQ(part(), "");
    recordInput(recording, {ScriptKind::SpecialDown, GLUT_KEY_UP, 0, {}});
    recordTick(recording);
    EXPECT_EQ(part(), "special down UP\ntick\n");
    for (int i = 2; i <= 10; ++i) recordTick(recording);
    EXPECT_EQ(part(), "special down UP\ntick 10\n") << "the tick line grows in place";
    recordInput(recording, {ScriptKind::SpecialDown, GLUT_KEY_RIGHT, GLUT_ACTIVE_SHIFT, {}});
    recordInput(recording, {ScriptKind::SpecialDown, GLUT_KEY_PAGE_UP, 0, {}});
    recordInput(recording, {ScriptKind::KeyDown, 112, 0, {}});
    recordTick(recording);
    recordTick(recording);
    EXPECT_EQ(part(), "special down UP\ntick 10\nspecial down RIGHT shift\nkey down 112\ntick 2\n");
    EXPECT_FALSE(std::filesystem::exists(path));

    recordInput(recording, {ScriptKind::KeyDown, 27, 0, {}});
    finishRecording(recording);
    EXPECT_EQ(textOf(path), "special down UP\ntick 10\nspecial down RIGHT shift\nkey down 112\ntick 2\nkey down 27\n");
    EXPECT_FALSE(std::filesystem::exists(path + ".part"));
    // Nothing more is written once it is finished.
    recordTick(recording);
    EXPECT_FALSE(std::filesystem::exists(path + ".part"));
}

TEST_F(RecordingTest, MouseLinesCarryTheWindowSizeTheyWereMadeIn)
{
    ASSERT_EQ(startRecording(recording, path), "");
    recordPointer(recording, 700, 512, 1280, 1024);  // the replay tool's own size: no line
    recordPointer(recording, 500, 300, 800, 600);
    recordPointer(recording, 450, 300, 800, 600);
    recordTick(recording);
    recordPointer(recording, 700, 512, 1280, 1024);
    EXPECT_EQ(part(), "mouse 700 512\nwindow 800 600\nmouse 500 300\nmouse 450 300\ntick\n"
                      "window 1280 1024\nmouse 700 512\n");
}

TEST_F(RecordingTest, AnEarlierRecordingIsReplacedOnlyAtTheEnd)
{
    std::ofstream(path) << "tick 5\n";
    ASSERT_EQ(startRecording(recording, path), "");
    recordTick(recording);
    EXPECT_EQ(textOf(path), "tick 5\n");
    finishRecording(recording);
    EXPECT_EQ(textOf(path), "tick\n");
}

TEST_F(RecordingTest, APlaceThatCannotBeWrittenIsOneLineAndNoFile)
{
    std::filesystem::create_directory(folder + "/taken");
    for (const std::string& bad : {folder + "/missing/run.replay", folder + "/taken"}) {
        const std::string problem = startRecording(recording, bad);
        EXPECT_NE(problem.find(bad), std::string::npos) << problem;
        EXPECT_EQ(problem.find('\n'), std::string::npos) << problem;
        EXPECT_EQ(recording.fd, -1);
        EXPECT_FALSE(std::filesystem::exists(bad + ".part"));
    }
}

}  // namespace
