// The menus as a value: a walk through every screen by keys, pad, pointer
// and taps, each step with the screen, the row picked and what the game is
// asked to do.

#include <gtest/gtest.h>

#include "app/input/key_codes.h"
#include "app/menu/hud_signs.h"
#include "app/menu/menu.h"

namespace {

MenuData someData()
{
    MenuData data;
    data.courses = {{"Skycourse", 95000, 83450, "builtin"}, {"Beams", 0, 0, "beams"}};
    data.times = {{"Skycourse", {{83450, "2026-12-01 10:00"}, {90000, "2026-11-30 09:00"}}, {20000, 41000, 83450}, 80000},
                  {"Beams", {}, {}, 0}};
    return data;
}

enum class In { Key, Player, Click, Point };

struct Step {
    const char* what;
    In in;
    MenuKey key;
    PlayerKey player;
    int row;  // Click, Point: the row of the picture the pointer is over
    MenuScreen screen;
    int selected;
    MenuAskKind ask;
};

constexpr int scrollDown = -2;  // the strip under a long list
constexpr PlayerKey none{};
constexpr PlayerKey enter{false, keyEnter};
constexpr PlayerKey backspace{false, 8};
constexpr PlayerKey down{true, keyDown};

// The middle of a row as it is drawn on a 640 x 480 screen.
void pointerAt(const Menu& menu, const MenuData& data, int row, int& x, int& y)
{
    const MenuPicture picture = menuPicture(menu, data);
    const MenuLayout layout = layoutMenu(picture, 640, 480);
    const MenuRect& r = row == scrollDown ? layout.scrollDown : layout.rows.at(size_t(row - layout.firstRow));
    x = (r.left + r.right) / 2;
    y = (r.top + r.bottom) / 2;
}

TEST(Menu, EveryScreenIsWorkedByKeysPadPointerAndTaps)
{
    const MenuData data = someData();
    const Step steps[] = {
        {"down the pause menu", In::Player, {}, down, 0, MenuScreen::Pause, 1, MenuAskKind::None},
        {"up again", In::Key, MenuKey::Up, none, 0, MenuScreen::Pause, 0, MenuAskKind::None},
        {"round to quit", In::Key, MenuKey::Up, none, 0, MenuScreen::Pause, 5, MenuAskKind::None},
        {"quit is asked, not done", In::Key, MenuKey::Accept, none, 0, MenuScreen::Pause, 5, MenuAskKind::Quit},
        {"the pointer over courses", In::Point, {}, none, 2, MenuScreen::Pause, 2, MenuAskKind::None},
        {"a tap opens courses", In::Click, {}, none, 2, MenuScreen::Courses, 0, MenuAskKind::None},
        {"back to the pause menu, its pick kept", In::Player, {}, backspace, 0, MenuScreen::Pause, 2, MenuAskKind::None},
        {"best times", In::Key, MenuKey::Down, none, 0, MenuScreen::Pause, 3, MenuAskKind::None},
        {"open best times", In::Player, {}, enter, 0, MenuScreen::BestTimes, 0, MenuAskKind::None},
        {"the next course's times", In::Key, MenuKey::Right, none, 0, MenuScreen::BestTimes, 0, MenuAskKind::None},
        {"down skips the lines of times", In::Key, MenuKey::Down, none, 0, MenuScreen::BestTimes, 3, MenuAskKind::None},
        {"back", In::Key, MenuKey::Accept, none, 0, MenuScreen::Pause, 3, MenuAskKind::None},
        {"settings", In::Click, {}, none, 4, MenuScreen::Settings, 0, MenuAskKind::None},
        {"music down a step", In::Key, MenuKey::Left, none, 0, MenuScreen::Settings, 0, MenuAskKind::SettingsChanged},
        {"a click on music steps up", In::Click, {}, none, 0, MenuScreen::Settings, 0, MenuAskKind::SettingsChanged},
        {"and goes round past 100", In::Click, {}, none, 0, MenuScreen::Settings, 0, MenuAskKind::SettingsChanged},
        {"a page down the list that runs off the small screen", In::Click, {}, none, scrollDown,
         MenuScreen::Settings, 14, MenuAskKind::None},
        {"keys", In::Click, {}, none, 13, MenuScreen::Keys, 0, MenuAskKind::None},
        {"choose jump", In::Click, {}, none, keysRowOfAction(Action::Jump), MenuScreen::WaitingForKey, 1,
         MenuAskKind::None},
        {"Esc is not bindable", In::Player, {}, {false, keyEscape}, 0, MenuScreen::WaitingForKey, 1, MenuAskKind::None},
        {"m already mutes", In::Player, {}, {false, 'm'}, 0, MenuScreen::Clash, 0, MenuAskKind::None},
        {"keep it", In::Key, MenuKey::Back, none, 0, MenuScreen::Keys, keysRowOfAction(Action::Jump), MenuAskKind::None},
        {"choose jump again", In::Key, MenuKey::Accept, none, 0, MenuScreen::WaitingForKey, 1, MenuAskKind::None},
        {"j is free", In::Player, {}, {false, 'j'}, 0, MenuScreen::Keys, keysRowOfAction(Action::Jump),
         MenuAskKind::BindingsChanged},
        {"choose camera", In::Click, {}, none, keysRowOfAction(Action::Camera), MenuScreen::WaitingForKey, 1,
         MenuAskKind::None},
        {"j, now jump's", In::Player, {}, {false, 'J'}, 0, MenuScreen::Clash, 0, MenuAskKind::None},
        {"use it anyway", In::Player, {}, enter, 0, MenuScreen::Keys, keysRowOfAction(Action::Camera),
         MenuAskKind::BindingsChanged},
        {"back to settings", In::Key, MenuKey::Back, none, 0, MenuScreen::Settings, 13, MenuAskKind::None},
        {"back to pause", In::Key, MenuKey::Back, none, 0, MenuScreen::Pause, 4, MenuAskKind::None},
        {"courses again", In::Click, {}, none, 2, MenuScreen::Courses, 0, MenuAskKind::None},
        {"start the second course", In::Click, {}, none, 1, MenuScreen::Closed, 0, MenuAskKind::StartCourse},
    };
    Menu menu = openMenu({}, {});
    MenuAsk last;
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        MenuAsk ask;
        int x = 0, y = 0;
        switch (s.in) {
        case In::Key: ask = pressMenuKey(menu, s.key, data); break;
        case In::Player: ask = pressMenuPlayerKey(menu, s.player, data); break;
        case In::Click:
            pointerAt(menu, data, s.row, x, y);
            ask = clickMenu(menu, data, x, y, 640, 480);
            break;
        case In::Point:
            pointerAt(menu, data, s.row, x, y);
            pointMenu(menu, data, x, y, 640, 480);
            break;
        }
        ASSERT_EQ(menu.screen, s.screen);
        EXPECT_EQ(menu.selected[size_t(s.screen)], s.selected);
        EXPECT_EQ(ask.kind, s.ask);
        last = ask;
    }
    EXPECT_EQ(last.courseId, "beams");
    EXPECT_EQ(menu.settings.musicVolume, 0) << "down to 90, up to 100, then round to 0";
    EXPECT_EQ(pressMenuKey(menu, MenuKey::Accept, data), MenuAsk{}) << "a closed menu asks nothing";
    ASSERT_EQ(menu.bindings.bound.size(), 1u) << "j moved from jump to camera";
    EXPECT_EQ(menu.bindings.bound[0].action, Action::Camera);
    EXPECT_EQ(menu.bindings.bound[0].key, (PlayerKey{false, 'j'}));
}

TEST(HudSigns, EachCueHeardIsAlsoShownForAFewSeconds)
{
    Game game = newGame(1);  // three checkpoints
    game.courseState.checkpoints[0].taken = true;
    game.ticksPlayed = 100;
    struct Case {
        EventKind kind;
        const char* sign;
    };
    for (const Case& c : {Case{EventKind::CheckpointSaved, "Checkpoint 1 of 3"}, Case{EventKind::Shrink, "Smaller"},
                          Case{EventKind::Grow, "Larger"}, Case{EventKind::GoalReached, "Goal!"},
                          Case{EventKind::Jump, ""}}) {
        HudSign sign;
        game.events = {{c.kind}};
        noteSigns(sign, game);
        EXPECT_EQ(signAt(sign, 100), c.sign);
        EXPECT_EQ(signAt(sign, 100 + signShownTicks - 1), c.sign);
        EXPECT_EQ(signAt(sign, 100 + signShownTicks), "");
    }
}

}  // namespace
