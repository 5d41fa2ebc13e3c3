// settings.conf read and written: every value the menu offers survives a
// save and a load; a damaged file costs the player one line, the defaults
// and the file set aside, never the game; keys.conf written back reads as
// the same bindings.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "app/input/key_bindings.h"
#include "app/input/key_codes.h"
#include "app/input/pad.h"
#include "app/menu/settings.h"

namespace {

namespace fs = std::filesystem;

TEST(PlayerSettings, ParseTakesTheMenusValuesAndCallsAnythingElseDamage)
{
    PlayerSettings changed;
    changed.musicVolume = 40;
    changed.mute = true;
    changed.mouseSensitivity = 0.25f;
    changed.textSize = 1.5f;
    changed.renderer = RendererChoice::Shaders;
    changed.padDeadZone = 33;
    changed.graphics = GraphicsChoice::Fast;
    struct Case {
        const char* text;
        bool ok;
        PlayerSettings want;
        const char* problem;
    };
    const Case cases[] = {
        {"", true, {}, ""},
        {"# nothing\n\n   \n", true, {}, ""},
        {"music volume = 40\r\nmute=on # quiet\nmouse sensitivity = 0.25\ntext size = 1.5\nrenderer = shaders\n"
         "pad dead zone = 33\ngraphics = fast\n",
         true, changed, ""},
        {"music volume = 40\nmute = yes\nmouse sensitivity = 0.250\ntext size = 1.50\nrenderer = shaders\n"
         "pad dead zone = 33\ngraphics=fast\n",
         true, changed, ""},
        {"music volume = 101\n", false, {}, "line 1: 'music volume = 101' is not a setting"},
        {"music volume = 4x\n", false, {}, "line 1"},
        {"mute = maybe\n", false, {}, "line 1"},
        {"mute = on\ntext size = 3\n", false, {}, "line 2"},
        {"mouse sensitivity = 0.3\n", false, {}, "line 1"},
        {"volume = 40\n", false, {}, "line 1: 'volume = 40'"},
        {"music volume\n", false, {}, "line 1"},
        {"renderer = Shaders\n", false, {}, "line 1"},
        {"graphics = low\n", false, {}, "line 1"},
        {"\x01\xff = 1\n", false, {}, "\\x01"},
    };
    for (const Case& c : cases) {
        PlayerSettings read;
        read.musicVolume = 7;
        std::string problem;
        EXPECT_EQ(parsePlayerSettings(c.text, read, problem), c.ok) << c.text;
        EXPECT_EQ(read, c.want) << c.text;
        EXPECT_NE(problem.find(c.problem), std::string::npos) << c.text << " gave " << problem;
    }
    PlayerSettings back;
    std::string problem;
    ASSERT_TRUE(parsePlayerSettings(spellPlayerSettings(changed), back, problem)) << problem;
    EXPECT_EQ(back, changed);
}

TEST(PlayerSettings, PointerMovesFollowSensitivityAndTilt)
{
    struct Case {
        float sensitivity;
        bool invert;
        int x, y, wantX, wantY;
    };
    for (const Case& c : {Case{1.0f, false, 700, 400, 700, 400}, Case{2.0f, false, 700, 400, 760, 288},
                          Case{0.25f, true, 600, 520, 630, 510}}) {
        PlayerSettings s;
        s.mouseSensitivity = c.sensitivity;
        s.invertTilt = c.invert;
        int x = c.x, y = c.y;
        adjustPointer(s, 1280, 1024, x, y);
        EXPECT_EQ(x, c.wantX) << c.sensitivity << " " << c.invert;
        EXPECT_EQ(y, c.wantY) << c.sensitivity << " " << c.invert;
    }
}

class SettingsFile : public ::testing::Test {
protected:
    fs::path folder = fs::temp_directory_path() / ("skycourse-settings-" + std::to_string(getpid()));
    std::string path = (folder / "skycourse" / "settings.conf").string();
    void TearDown() override { fs::remove_all(folder); }

    size_t setAside() const
    {
        size_t count = 0;
        for (const auto& entry : fs::directory_iterator(folder / "skycourse")) {
            count += entry.path().filename().string().rfind("settings.conf.damaged-", 0) == 0;
        }
        return count;
    }
};

TEST_F(SettingsFile, ADamagedFileIsSetAsideWithOneLineAndTheDefaultsUntilASave)
{
    for (const std::string& damage : {std::string("music volume = 40\nmusic volume = loud\n"),
                                      std::string(20000, 'x')}) {
        fs::create_directories(folder / "skycourse");
        std::ofstream(path, std::ios::binary) << damage;
        std::string problem;
        EXPECT_EQ(loadPlayerSettings(path, problem), PlayerSettings{});
        EXPECT_EQ(problem.find('\n'), std::string::npos);
        EXPECT_NE(problem.find("kept as " + path + ".damaged-"), std::string::npos) << problem;
        EXPECT_FALSE(fs::exists(path)) << "the next save starts afresh";
        EXPECT_EQ(setAside(), 1u);
        PlayerSettings s;
        s.effectsVolume = 30;
        ASSERT_EQ(savePlayerSettings(path, s), "");
        EXPECT_EQ(loadPlayerSettings(path, problem), s);
        fs::remove_all(folder);
    }
}

TEST(KeysFile, BindingsWrittenBackReadAsTheSame)
{
    KeyBindings bindings;
    bindings.bound = {{Action::Forward, {false, 'w'}}, {Action::Jump, {false, ' '}},
                      {Action::TurnRound, {true, keyF5}}, {Action::Camera, {false, ';'}},
                      {Action::Jump, padKey(padX)},       {Action::Restart, padKey(padLeftStick)},
                      {Action::Forward, padKey(padB)}};
    std::vector<std::string> problems;
    const KeyBindings back = parseKeyBindings(spellKeyBindings(bindings), problems);
    EXPECT_TRUE(problems.empty());
    ASSERT_EQ(back.bound.size(), bindings.bound.size());
    for (size_t i = 0; i < back.bound.size(); ++i) {
        EXPECT_EQ(back.bound[i].action, bindings.bound[i].action);
        EXPECT_EQ(back.bound[i].key, bindings.bound[i].key);
    }
    // Keys keys.conf cannot name are not offered for binding.
    for (PlayerKey key : {PlayerKey{false, keyEscape}, PlayerKey{false, '#'}, PlayerKey{false, 1}, PlayerKey{true, 200},
                          padKey(padStart), padKey(padButtonCount), PlayerKey{true, padA, true}}) {
        EXPECT_FALSE(bindableKey(key)) << key.code;
    }
}

}  // namespace
