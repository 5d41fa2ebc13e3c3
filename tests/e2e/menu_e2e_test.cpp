// The pause menu in the real game: a setting changed there is kept in
// settings.conf, and a key bound there rolls the ball, with keys.conf
// written for the next start.

#include <X11/keysym.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/e2e/e2e_checks.h"
#include "tests/e2e/harness.h"

using namespace e2e;

namespace {

struct PlayerFolders {
    std::filesystem::path path;
    std::string rows;
    PlayerFolders()
    {
        char name[] = "/tmp/skycourse-e2e-menu-XXXXXX";
        path = mkdtemp(name);
        rows = (path / "rows.csv").string();
    }
    ~PlayerFolders() { std::filesystem::remove_all(path); }
    std::vector<std::pair<std::string, std::string>> env() const
    {
        return {{"XDG_DATA_HOME", (path / "data").string()},
                {"XDG_CONFIG_HOME", (path / "config").string()},
                {"SKYCOURSE_ROWS", rows}};
    }
    std::string config(const char* file) const { return fileText((path / "config" / "skycourse" / file).string()); }
    size_t ticks() const
    {
        const std::string text = fileText(rows);
        return size_t(std::count(text.begin(), text.end(), '\n'));
    }
};

// Keys one at a time, each given the time to reach the game.
void tapKeys(Display* display, const std::vector<unsigned long>& keys)
{
    for (unsigned long key : keys) {
        tapKey(display, key);
        sleepSeconds(0.25);
    }
}

// Down from Resume to Settings, and in: the music's volume is its first row.
const std::vector<unsigned long> intoSettings = {XK_space, XK_Down, XK_Down, XK_Down, XK_Down, XK_Return};

TEST(Menus, TheMusicTurnedDownInTheMenuIsKept)
{
    START_XVFB(server, x, 1024, 768);
    const PlayerFolders folders;
    GameRun game = startGame(gameDir, server.display, folders.env(), {"--window", "640x512"});
    ASSERT_TRUE(waitUntil([&] { return folders.ticks() > 5; }, 60)) << describe(server, game);
    std::vector<unsigned long> keys = intoSettings;
    keys.insert(keys.end(), {XK_Left, XK_Left, XK_BackSpace, XK_BackSpace});
    tapKeys(x.display, keys);
    const size_t resumed = folders.ticks();
    EXPECT_TRUE(waitUntil([&] { return folders.ticks() > resumed + 5; }, 30)) << "the game did not go on";
    expectEscEndsTheGame(x.display, game, server);
    EXPECT_NE(folders.config("settings.conf").find("music volume = 80\n"), std::string::npos)
        << folders.config("settings.conf") << gameOutput(game);
}

TEST(Menus, AKeyBoundInTheMenuRollsTheBall)
{
    START_XVFB(server, x, 1024, 768);
    const PlayerFolders folders;
    GameRun game = startGame(gameDir, server.display, folders.env(), {"--window", "640x512"});
    ASSERT_TRUE(waitUntil([&] { return folders.ticks() > 5; }, 60)) << describe(server, game);
    // Settings, up to Keys... (the row above Back), in; forward is the
    // first action: Enter, then the new key.
    std::vector<unsigned long> keys = intoSettings;
    keys.insert(keys.end(), {XK_Up, XK_Up, XK_Return, XK_Return, XK_w, XK_BackSpace, XK_BackSpace, XK_BackSpace});
    tapKeys(x.display, keys);
    EXPECT_NE(folders.config("keys.conf").find("forward = w"), std::string::npos) << folders.config("keys.conf");

    const size_t before = folders.ticks();
    pressKey(x.display, XK_w);
    ASSERT_TRUE(waitUntil([&] { return folders.ticks() > before + 30; }, 30));
    releaseKey(x.display, XK_w);
    expectEscEndsTheGame(x.display, game, server);
    // The last row's z: the ball rolled forward, away from the camera.
    const std::string text = fileText(folders.rows);
    const std::string last = text.substr(text.rfind('\n', text.size() - 2) + 1);
    std::vector<std::string> fields;
    for (size_t start = 0, end; start < last.size(); start = end + 1) {
        end = last.find_first_of(",\n", start);
        if (end == std::string::npos) end = last.size();
        fields.push_back(last.substr(start, end - start));
    }
    ASSERT_GT(fields.size(), 4u) << last;
    EXPECT_LT(std::stod(fields[4]), -1.0) << "w did not roll the ball forward: " << last;
}

}  // namespace
