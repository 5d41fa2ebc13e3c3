#pragma once
// The menus as a value and the pure steps that move it: the pause menu and
// the screens under it (courses, best times, settings, keys). Keys, the
// pad, the pointer and taps come in; out comes what the game is asked to
// do. Nothing here plays, records or saves anything: the caller does what
// is asked. Esc is not the menu's: it ends the game from anywhere.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/race/best_times.h"
#include "app/input/key_bindings.h"
#include "app/menu/settings.h"
#include "render/menu_picture.h"

enum class MenuScreen { Closed, Pause, Courses, BestTimes, Settings, Keys, WaitingForKey, Clash };
constexpr size_t menuScreenCount = 8;

// The keys of menus, whatever sends them: arrows, Enter, Backspace; the
// pad's d-pad or stick, A and B.
enum class MenuKey { Up, Down, Left, Right, Accept, Back };

// What the game knows of its courses and times, given in plain values.
struct CourseEntry {
    std::string name;
    int64_t parMs = 0;   // 0: none
    int64_t bestMs = 0;  // 0: never finished
    std::string id;
};

struct CourseTimes {
    std::string name;
    std::vector<RunTime> runs;               // the best, fastest first, with their dates
    std::vector<int64_t> bestRunSplitsMs;    // the best run's time at each checkpoint, then the ring
    int64_t sumOfFastestMs = 0;              // 0 while some stretch has no time yet
};

struct MenuData {
    std::vector<CourseEntry> courses;
    std::vector<CourseTimes> times;
};

struct Menu {
    MenuScreen screen = MenuScreen::Closed;
    std::array<int, menuScreenCount> selected{};  // the row picked on each screen, kept for coming back
    int timesCourse = 0;                          // the course the best times show
    Action binding = Action::Forward;             // the action waiting for its key
    PlayerKey pendingKey;                         // a key that clashed, waiting for a yes or no
    Action clashWith = Action::Forward;
    std::string notice;
    PlayerSettings settings;                      // as the menu shows them; the caller takes them on a change
    KeyBindings bindings;
};

enum class MenuAskKind { None, Resume, Restart, StartCourse, Quit, SettingsChanged, BindingsChanged };

struct MenuAsk {
    MenuAskKind kind = MenuAskKind::None;
    std::string courseId;  // StartCourse

    bool operator==(const MenuAsk&) const = default;
};

// The pause menu opened over the game, showing these settings and keys.
Menu openMenu(const PlayerSettings& settings, const KeyBindings& bindings);

MenuAsk pressMenuKey(Menu& menu, MenuKey key, const MenuData& data);
// A key from the keyboard: the arrows, Enter and Backspace work the menu;
// while the menu waits for a key to bind, the key pressed is the answer.
MenuAsk pressMenuPlayerKey(Menu& menu, PlayerKey key, const MenuData& data);
// The pointer at (x, y) of a screen this size, from the top left: the row
// under it is picked. A click or a tap picks it and selects it.
void pointMenu(Menu& menu, const MenuData& data, int x, int y, int width, int height);
MenuAsk clickMenu(Menu& menu, const MenuData& data, int x, int y, int width, int height);

// The screen as it is drawn (and hit-tested).
MenuPicture menuPicture(const Menu& menu, const MenuData& data);

// The rows of the keys screen, so that a test can find an action's row.
int keysRowOfAction(Action action);
