#define GL_GLEXT_PROTOTYPES
#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glext.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "assets/shader_program.h"
#include "tests/support/media_files.h"
#include "tests/support/xvfb.h"

namespace fs = std::filesystem;

namespace {

GLhandleARB currentProgram()
{
    auto getHandle = reinterpret_cast<PFNGLGETHANDLEARBPROC>(glutGetProcAddress("glGetHandleARB"));
    return getHandle(GL_PROGRAM_OBJECT_ARB);
}

TEST(ReadTextFile, WholeFileWithATerminatingZero)
{
    ScratchDir dir;
    const std::string text = "void main()\r\n{\n}\n";
    writeFile("a.vs", text);
    char* got = readTextFile("a.vs");
    ASSERT_NE(got, nullptr);
    EXPECT_EQ(std::string(got), text);
    std::free(got);

    writeFile("empty.vs", "");
    char* empty = readTextFile("empty.vs");
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty[0], '\0');
    std::free(empty);

    EXPECT_EQ(readTextFile("missing.vs"), nullptr);
}

class ShaderProgramTest : public ::testing::Test {
protected:
    ScratchDir dir;
    void SetUp() override { openTestWindow(); }

    // Builds from the given pair, returning what went to stderr.
    static std::string build(const std::string& vertex, const std::string& fragment, bool& built)
    {
        return stderrOf([&] { built = initShaderProgramFrom(vertex.c_str(), fragment.c_str()).active; });
    }
};

TEST_F(ShaderProgramTest, GamePairIsCurrentAfterStartUp)
{
    // The game reads the pair relative to its working directory.
    fs::create_directory("shaders");
    fs::copy_file(SOURCE_DIR "/shaders/phong.vs", "shaders/phong.vs");
    fs::copy_file(SOURCE_DIR "/shaders/phong.fs", "shaders/phong.fs");
    ::ShaderProgram shader;
    const std::string said = stderrOf([&] { shader = initShaderProgram(); });

    EXPECT_TRUE(shader.active);
    EXPECT_EQ(said, "");
    EXPECT_NE(currentProgram(), 0u);
    EXPECT_EQ(currentProgram(), shader.program);

    useShaderProgram(shader, false);
    EXPECT_EQ(currentProgram(), 0u);
    EXPECT_FALSE(shader.active);
    useShaderProgram(shader, true);
    EXPECT_NE(currentProgram(), 0u);
}

TEST_F(ShaderProgramTest, BrokenShaderLeavesTheFixedPipelineWithOneLine)
{
    const std::string vertex = SOURCE_DIR "/shaders/phong.vs";
    const std::string broken = "broken.fs";
    writeFile(broken, "#version 120\nvoid main() { nonsense; }\n");
    bool built = true;
    const std::string said = build(vertex, broken, built);
    EXPECT_FALSE(built);
    EXPECT_EQ(currentProgram(), 0u);
    EXPECT_EQ(countLines(said), 1) << said;
    EXPECT_NE(said.find("broken.fs"), std::string::npos) << said;
    EXPECT_NE(said.find("nonsense"), std::string::npos) << "the info log: " << said;
}

TEST_F(ShaderProgramTest, MissingFileOrFailedLinkLeavesTheFixedPipeline)
{
    bool built = true;
    std::string said = build("nowhere.vs", SOURCE_DIR "/shaders/phong.fs", built);
    EXPECT_FALSE(built);
    EXPECT_EQ(currentProgram(), 0u);
    EXPECT_EQ(countLines(said), 1) << said;
    EXPECT_NE(said.find("nowhere.vs"), std::string::npos) << said;

    // With both halves broken, both are named on the one line.
    writeFile("broken.fs", "#version 120\nvoid main() { nonsense; }\n");
    said = build("nowhere.vs", "broken.fs", built);
    EXPECT_FALSE(built);
    EXPECT_EQ(countLines(said), 1) << said;
    EXPECT_NE(said.find("nowhere.vs"), std::string::npos) << said;
    EXPECT_NE(said.find("broken.fs"), std::string::npos) << said;

    // Both stages compile, but the fragment half calls what nothing defines.
    const std::string unlinked = "unlinked.fs";
    writeFile(unlinked, "#version 120\nvec4 shade();\nvoid main() { gl_FragColor = shade(); }\n");
    said = build(SOURCE_DIR "/shaders/phong.vs", unlinked, built);
    EXPECT_FALSE(built);
    EXPECT_EQ(currentProgram(), 0u);
    EXPECT_EQ(countLines(said), 1) << said;
    EXPECT_NE(said.find("link"), std::string::npos) << said;
}

}  // namespace
