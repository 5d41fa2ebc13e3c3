// Where the files a player names are kept: the XDG data folder for a
// relative name.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <optional>
#include <string>

#include "app/files/player_files.h"

namespace {

// Sets (or unsets) an environment variable for the scope.
struct ScopedEnv {
    std::string name;
    std::optional<std::string> before;
    ScopedEnv(const char* n, const char* value) : name(n)
    {
        if (const char* v = getenv(n)) before = v;
        value ? setenv(n, value, 1) : unsetenv(n);
    }
    ~ScopedEnv() { before ? setenv(name.c_str(), before->c_str(), 1) : unsetenv(name.c_str()); }
};

TEST(PlayerFiles, TheDataFolderIsXdgDataHomeOrItsDefault)
{
    struct Case {
        const char* dataHome;
        const char* home;
        const char* folder;
    };
    const Case cases[] = {
        {"/data", "/home/p", "/data/skycourse"},
        {nullptr, "/home/p", "/home/p/.local/share/skycourse"},
        {"", "/home/p", "/home/p/.local/share/skycourse"},
        {"relative/data", "/home/p", "/home/p/.local/share/skycourse"},
        {nullptr, nullptr, ""},
    };
    for (const Case& c : cases) {
        ScopedEnv data("XDG_DATA_HOME", c.dataHome);
        ScopedEnv home("HOME", c.home);
        EXPECT_EQ(playerDataFolder(), c.folder) << (c.dataHome ? c.dataHome : "(unset)");
    }
}

TEST(PlayerFiles, ARelativeNameIsKeptInTheDataFolder)
{
    char name[] = "/tmp/skycourse-data-XXXXXX";
    ASSERT_NE(mkdtemp(name), nullptr);
    const std::string base = name;
    ScopedEnv data("XDG_DATA_HOME", name);
    std::string problem;
    EXPECT_EQ(recordingPath("/elsewhere/run.replay", problem), "/elsewhere/run.replay");
    EXPECT_EQ(recordingPath("run.replay", problem), base + "/skycourse/run.replay");
    EXPECT_EQ(problem, "");
    EXPECT_TRUE(std::filesystem::is_directory(base + "/skycourse")) << "made when missing";
    // Watching looks in the current folder first.
    EXPECT_EQ(watchPath("run.replay"), base + "/skycourse/run.replay");
    const std::filesystem::path here = std::filesystem::current_path();
    std::filesystem::current_path(base);
    EXPECT_EQ(watchPath("skycourse"), "skycourse");
    std::filesystem::current_path(here);

    ScopedEnv noData("XDG_DATA_HOME", nullptr);
    ScopedEnv noHome("HOME", nullptr);
    EXPECT_EQ(recordingPath("run.replay", problem), "");
    EXPECT_NE(problem.find("run.replay"), std::string::npos);
    std::filesystem::remove_all(base);
}

}  // namespace
