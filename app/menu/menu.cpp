#include "app/menu/menu.h"

#include <algorithm>
#include <iterator>

#include "app/input/key_codes.h"
#include "app/input/pad.h"

namespace {

enum class RowKind {
    Resume, Restart, Courses, BestTimes, Settings, Quit,
    Course, TimesCourse, Info, Setting, Keys, Action, ResetKeys, UseAnyway, Back,
};

enum class SettingId {
    Music, Effects, Mute, Sensitivity, InvertTilt, DeadZone, Timer, Ghost, Splits, TextSize, Renderer, Graphics, FullScreen,
};

struct Row {
    MenuRowPicture picture;
    RowKind kind;
    int index = 0;  // the course, setting or action of the row
};

constexpr Action boundActions[] = {
    Action::Forward, Action::Back, Action::Left, Action::Right, Action::Jump, Action::TurnLeft,
    Action::TurnRight, Action::TurnRound, Action::Camera, Action::MouseLook, Action::Level, Action::Pause,
    Action::Restart, Action::Timer, Action::Mute, Action::Ghost,
};
constexpr int keysRowsBefore = 0;

MenuAsk asked(MenuAskKind kind)
{
    MenuAsk ask;
    ask.kind = kind;
    return ask;
}

Row row(RowKind kind, std::string label, std::string value = "", int index = 0)
{
    return {{std::move(label), std::move(value), kind != RowKind::Info, MenuSwatch::None}, kind, index};
}

std::string onOff(bool on)
{
    return on ? "on" : "off";
}

std::string timeOrDash(int64_t ms)
{
    return ms > 0 ? formatRunTime(ms) : "-";
}

std::string number(float value)
{
    std::string text = std::to_string(value);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
    return text;
}

std::string settingValue(const PlayerSettings& s, SettingId id)
{
    switch (id) {
    case SettingId::Music: return std::to_string(s.musicVolume);
    case SettingId::Effects: return std::to_string(s.effectsVolume);
    case SettingId::Mute: return onOff(s.mute);
    case SettingId::Sensitivity: return number(s.mouseSensitivity) + "x";
    case SettingId::InvertTilt: return onOff(s.invertTilt);
    case SettingId::DeadZone: return std::to_string(s.padDeadZone) + "%";
    case SettingId::Timer: return onOff(s.showTimer);
    case SettingId::Ghost: return onOff(s.showGhost);
    case SettingId::Splits: return onOff(s.showSplits);
    case SettingId::TextSize: return number(s.textSize) + "x";
    case SettingId::Renderer: return s.renderer == RendererChoice::Shaders ? "shaders" : "classic";
    case SettingId::Graphics: return s.graphics == GraphicsChoice::Fast ? "fast" : "full";
    case SettingId::FullScreen: return s.fullScreen ? "full screen" : "window";
    }
    return "";
}

const char* settingLabel(SettingId id)
{
    static const char* const labels[] = {
        "Music volume", "Effects volume", "Mute", "Mouse sensitivity", "Invert tilt", "Pad dead zone",
        "Show timer", "Show ghost", "Show split times", "Text size", "Renderer", "Graphics", "Screen (next start)",
    };
    return labels[int(id)];
}

// The keys that do an action now, as keys.conf and the game give them.
std::string keysOf(const KeyBindings& bindings, Action action)
{
    std::string line = describeBindings(bindings);
    const std::string name = nameOfAction(action);
    size_t at = 0;
    while (at < line.size()) {
        const size_t end = line.find('\n', at);
        const std::string one = line.substr(at, end - at);
        if (one.compare(0, name.size(), name) == 0 && one.size() > name.size() && one[name.size()] == ' ') {
            const size_t keys = one.find_first_not_of(' ', name.size());
            return keys == std::string::npos ? "none" : one.substr(keys);
        }
        at = end == std::string::npos ? line.size() : end + 1;
    }
    return "";
}

std::vector<Row> rowsOf(const Menu& menu, const MenuData& data)
{
    std::vector<Row> rows;
    switch (menu.screen) {
    case MenuScreen::Closed: break;
    case MenuScreen::Pause:
        rows = {row(RowKind::Resume, "Resume"), row(RowKind::Restart, "Restart"), row(RowKind::Courses, "Courses"),
                row(RowKind::BestTimes, "Best times"), row(RowKind::Settings, "Settings"), row(RowKind::Quit, "Quit")};
        break;
    case MenuScreen::Courses:
        for (size_t i = 0; i < data.courses.size(); ++i) {
            const CourseEntry& c = data.courses[i];
            Row r = row(RowKind::Course, c.name, "par " + timeOrDash(c.parMs) + "  best " + timeOrDash(c.bestMs), int(i));
            r.picture.swatch = MenuSwatch(int(MenuSwatch::Wood0) + int(i % 6));
            rows.push_back(r);
        }
        if (data.courses.empty()) rows.push_back(row(RowKind::Info, "No courses found"));
        rows.push_back(row(RowKind::Back, "Back"));
        break;
    case MenuScreen::BestTimes: {
        if (data.times.empty()) {
            rows.push_back(row(RowKind::Info, "No courses found"));
        } else {
            const CourseTimes& t = data.times[size_t(menu.timesCourse) % data.times.size()];
            rows.push_back(row(RowKind::TimesCourse, "Course", "< " + t.name + " >"));
            if (t.runs.empty()) rows.push_back(row(RowKind::Info, "No finished runs yet"));
            for (size_t i = 0; i < t.runs.size(); ++i) {
                rows.push_back(row(RowKind::Info, std::to_string(i + 1) + ".  " + formatRunTime(t.runs[i].milliseconds),
                                   t.runs[i].date));
            }
            for (size_t i = 0; i < t.bestRunSplitsMs.size(); ++i) {
                const bool ring = i + 1 == t.bestRunSplitsMs.size();
                rows.push_back(row(RowKind::Info,
                                   (i == 0 ? "Best run: " : "          ") +
                                       (ring ? std::string("ring") : "checkpoint " + std::to_string(i + 1)),
                                   timeOrDash(t.bestRunSplitsMs[i])));
            }
            rows.push_back(row(RowKind::Info, "Sum of fastest stretches", timeOrDash(t.sumOfFastestMs)));
        }
        rows.push_back(row(RowKind::Back, "Back"));
        break;
    }
    case MenuScreen::Settings:
        for (int id = 0; id <= int(SettingId::FullScreen); ++id) {
            rows.push_back(row(RowKind::Setting, settingLabel(SettingId(id)), settingValue(menu.settings, SettingId(id)), id));
        }
        rows.push_back(row(RowKind::Keys, "Keys..."));
        rows.push_back(row(RowKind::Back, "Back"));
        break;
    case MenuScreen::Keys:
        for (size_t i = 0; i < std::size(boundActions); ++i) {
            rows.push_back(row(RowKind::Action, nameOfAction(boundActions[i]), keysOf(menu.bindings, boundActions[i]), int(i)));
        }
        rows.push_back(row(RowKind::ResetKeys, "Reset to the game's keys"));
        rows.push_back(row(RowKind::Back, "Back"));
        break;
    case MenuScreen::WaitingForKey:
        rows.push_back(row(RowKind::Info, std::string("Press the new key or pad button for ") + nameOfAction(menu.binding)));
        rows.push_back(row(RowKind::Back, "Cancel"));
        break;
    case MenuScreen::Clash:
        rows.push_back(row(RowKind::UseAnyway, std::string("Use it for ") + nameOfAction(menu.binding)));
        rows.push_back(row(RowKind::Back, std::string("Keep it for ") + nameOfAction(menu.clashWith)));
        break;
    }
    return rows;
}

MenuScreen parentOf(MenuScreen screen)
{
    switch (screen) {
    case MenuScreen::Courses:
    case MenuScreen::BestTimes:
    case MenuScreen::Settings: return MenuScreen::Pause;
    case MenuScreen::Keys: return MenuScreen::Settings;
    case MenuScreen::WaitingForKey:
    case MenuScreen::Clash: return MenuScreen::Keys;
    default: return MenuScreen::Closed;
    }
}

int& selectedOf(Menu& menu)
{
    return menu.selected[size_t(menu.screen)];
}

// The picked row, moved onto a row that can be picked: a list may have
// shrunk (another course's times) since it was last shown.
void settle(Menu& menu, const std::vector<Row>& rows)
{
    int& at = selectedOf(menu);
    at = std::clamp(at, 0, std::max(0, int(rows.size()) - 1));
    for (size_t tries = 0; tries < rows.size() && !rows[size_t(at)].picture.selectable; ++tries) {
        at = (at + 1) % int(rows.size());
    }
}

void go(Menu& menu, MenuScreen screen, const MenuData& data)
{
    menu.screen = screen;
    if (screen == MenuScreen::WaitingForKey || screen == MenuScreen::Clash) selectedOf(menu) = 0;
    settle(menu, rowsOf(menu, data));
}

MenuAsk back(Menu& menu, const MenuData& data)
{
    menu.notice.clear();
    const MenuScreen parent = parentOf(menu.screen);
    if (parent == MenuScreen::Closed) {
        menu.screen = MenuScreen::Closed;
        return asked(MenuAskKind::Resume);
    }
    go(menu, parent, data);
    return {};
}

template <typename T, size_t N>
T stepThrough(const T (&steps)[N], T now, int direction, bool wrap)
{
    int at = 0;
    while (at < int(N) && steps[at] != now) ++at;
    if (at == int(N)) at = 0;
    at += direction;
    if (wrap) at = (at + int(N)) % int(N);
    return steps[std::clamp(at, 0, int(N) - 1)];
}

int stepPercent(int now, int direction, bool wrap)
{
    const int next = now + 10 * direction;
    if (wrap && next > 100) return 0;
    return std::clamp(next, 0, 100);
}

// A setting moved a step (Left, Right), or on round (Enter, a click: the
// way to reach every value with one button).
void changeSetting(PlayerSettings& s, SettingId id, int direction, bool wrap)
{
    switch (id) {
    case SettingId::Music: s.musicVolume = stepPercent(s.musicVolume, direction, wrap); break;
    case SettingId::Effects: s.effectsVolume = stepPercent(s.effectsVolume, direction, wrap); break;
    case SettingId::Mute: s.mute = !s.mute; break;
    case SettingId::Sensitivity: s.mouseSensitivity = stepThrough(sensitivitySteps, s.mouseSensitivity, direction, wrap); break;
    case SettingId::InvertTilt: s.invertTilt = !s.invertTilt; break;
    case SettingId::DeadZone: s.padDeadZone = stepThrough(padDeadZones, s.padDeadZone, direction, wrap); break;
    case SettingId::Timer: s.showTimer = !s.showTimer; break;
    case SettingId::Ghost: s.showGhost = !s.showGhost; break;
    case SettingId::Splits: s.showSplits = !s.showSplits; break;
    case SettingId::TextSize: s.textSize = stepThrough(textSizes, s.textSize, direction, wrap); break;
    case SettingId::Renderer:
        s.renderer = s.renderer == RendererChoice::Shaders ? RendererChoice::Classic : RendererChoice::Shaders;
        break;
    case SettingId::Graphics:
        s.graphics = s.graphics == GraphicsChoice::Fast ? GraphicsChoice::Full : GraphicsChoice::Fast;
        break;
    case SettingId::FullScreen: s.fullScreen = !s.fullScreen; break;
    }
}

MenuAsk bindPending(Menu& menu, const MenuData& data)
{
    std::vector<Binding>& bound = menu.bindings.bound;
    const PlayerKey key = menu.pendingKey;
    const Action action = menu.binding;
    // The key does one thing, and the action has the one key and the one
    // pad button chosen here beside the game's own: a button bound leaves
    // the action's key as it was, and a key its button.
    bound.erase(std::remove_if(bound.begin(), bound.end(),
                               [&](const Binding& b) {
                                   return b.key == key || (b.action == action && b.key.pad == key.pad);
                               }),
                bound.end());
    bound.push_back({action, key});
    menu.notice.clear();
    go(menu, MenuScreen::Keys, data);
    return asked(MenuAskKind::BindingsChanged);
}

MenuAsk accept(Menu& menu, const MenuData& data, int direction, bool wrap)
{
    const std::vector<Row> rows = rowsOf(menu, data);
    const int at = selectedOf(menu);
    if (at < 0 || at >= int(rows.size()) || !rows[size_t(at)].picture.selectable) return {};
    const Row& r = rows[size_t(at)];
    switch (r.kind) {
    case RowKind::Resume: menu.screen = MenuScreen::Closed; return asked(MenuAskKind::Resume);
    case RowKind::Restart: menu.screen = MenuScreen::Closed; return asked(MenuAskKind::Restart);
    case RowKind::Quit: return asked(MenuAskKind::Quit);
    case RowKind::Courses: go(menu, MenuScreen::Courses, data); return {};
    case RowKind::BestTimes: go(menu, MenuScreen::BestTimes, data); return {};
    case RowKind::Settings: go(menu, MenuScreen::Settings, data); return {};
    case RowKind::Keys: go(menu, MenuScreen::Keys, data); return {};
    case RowKind::Course:
        menu.screen = MenuScreen::Closed;
        return {MenuAskKind::StartCourse, data.courses[size_t(r.index)].id};
    case RowKind::TimesCourse: {
        const int count = int(data.times.size());
        menu.timesCourse = ((menu.timesCourse + direction) % count + count) % count;
        return {};
    }
    case RowKind::Setting:
        changeSetting(menu.settings, SettingId(r.index), direction, wrap);
        return asked(MenuAskKind::SettingsChanged);
    case RowKind::Action:
        menu.binding = boundActions[r.index];
        menu.notice.clear();
        go(menu, MenuScreen::WaitingForKey, data);
        return {};
    case RowKind::ResetKeys:
        menu.bindings.bound.clear();
        menu.notice = "The game's own keys are back";
        return asked(MenuAskKind::BindingsChanged);
    case RowKind::UseAnyway: return bindPending(menu, data);
    case RowKind::Back: return back(menu, data);
    case RowKind::Info: return {};
    }
    return {};
}

void moveSelection(Menu& menu, const MenuData& data, int direction)
{
    const std::vector<Row> rows = rowsOf(menu, data);
    if (rows.empty()) return;
    int& at = selectedOf(menu);
    for (size_t tries = 0; tries < rows.size(); ++tries) {
        at = (at + direction + int(rows.size())) % int(rows.size());
        if (rows[size_t(at)].picture.selectable) return;
    }
}

bool sideways(const std::vector<Row>& rows, int at)
{
    if (at < 0 || at >= int(rows.size())) return false;
    const RowKind kind = rows[size_t(at)].kind;
    return kind == RowKind::Setting || kind == RowKind::TimesCourse;
}

}  // namespace

Menu openMenu(const PlayerSettings& settings, const KeyBindings& bindings)
{
    Menu menu;
    menu.screen = MenuScreen::Pause;
    menu.settings = settings;
    menu.bindings = bindings;
    return menu;
}

MenuAsk pressMenuKey(Menu& menu, MenuKey key, const MenuData& data)
{
    if (menu.screen == MenuScreen::Closed) return {};
    switch (key) {
    case MenuKey::Up: moveSelection(menu, data, -1); return {};
    case MenuKey::Down: moveSelection(menu, data, 1); return {};
    case MenuKey::Left:
    case MenuKey::Right: {
        const int direction = key == MenuKey::Left ? -1 : 1;
        if (!sideways(rowsOf(menu, data), selectedOf(menu))) return {};
        return accept(menu, data, direction, false);
    }
    case MenuKey::Accept: return accept(menu, data, 1, true);
    case MenuKey::Back: return back(menu, data);
    }
    return {};
}

MenuAsk pressMenuPlayerKey(Menu& menu, PlayerKey key, const MenuData& data)
{
    const PlayerKey backspace{false, 8};
    const PlayerKey start = padKey(padStart);
    // Letters bind whatever the case, as keys.conf reads them.
    if (!key.special && !key.pad && key.code >= 'A' && key.code <= 'Z') key.code += 'a' - 'A';
    // The pad's Start is its Backspace while a binding is chosen: it is
    // never bound, as it always opens and closes the menu.
    if (key == start && menu.screen == MenuScreen::WaitingForKey) return pressMenuKey(menu, MenuKey::Back, data);
    if (menu.screen == MenuScreen::WaitingForKey && !(key == backspace)) {
        Action now;
        if (!bindableKey(key)) {
            menu.notice = "That key cannot be kept in keys.conf; try another";
            return {};
        }
        menu.pendingKey = key;
        if (actionNowOfKey(menu.bindings, key, now) && now != menu.binding) {
            menu.clashWith = now;
            menu.notice = "'" + nameOfKey(key) + "' already does " + nameOfAction(now);
            go(menu, MenuScreen::Clash, data);
            return {};
        }
        return bindPending(menu, data);
    }
    // The pad moves about the menu as the pad, whatever is bound.
    if (key.pad) return {};
    if (key.special) {
        switch (key.code) {
        case keyUp: return pressMenuKey(menu, MenuKey::Up, data);
        case keyDown: return pressMenuKey(menu, MenuKey::Down, data);
        case keyLeft: return pressMenuKey(menu, MenuKey::Left, data);
        case keyRight: return pressMenuKey(menu, MenuKey::Right, data);
        default: return {};
        }
    }
    if (key.code == keyEnter) return pressMenuKey(menu, MenuKey::Accept, data);
    if (key == backspace) return pressMenuKey(menu, MenuKey::Back, data);
    return {};
}

void pointMenu(Menu& menu, const MenuData& data, int x, int y, int width, int height)
{
    if (menu.screen == MenuScreen::Closed) return;
    const MenuPicture picture = menuPicture(menu, data);
    const int row = menuRowAt(picture, layoutMenu(picture, width, height), x, y);
    if (row >= 0) selectedOf(menu) = row;
}

MenuAsk clickMenu(Menu& menu, const MenuData& data, int x, int y, int width, int height)
{
    if (menu.screen == MenuScreen::Closed) return {};
    const MenuPicture picture = menuPicture(menu, data);
    const MenuLayout layout = layoutMenu(picture, width, height);
    const int shown = int(layout.rows.size());
    // A strip above or below a long list turns it by a page.
    const bool up = layout.moreAbove && layout.scrollUp.contains(x, y);
    if (up || (layout.moreBelow && layout.scrollDown.contains(x, y))) {
        const int last = int(picture.rows.size()) - 1;
        int& at = selectedOf(menu);
        at = up ? std::max(0, layout.firstRow - shown) : std::min(last, layout.firstRow + 2 * shown - 1);
        while (!picture.rows[size_t(at)].selectable && at > 0 && at < last) at += up ? 1 : -1;
        return {};
    }
    const int row = menuRowAt(picture, layout, x, y);
    if (row < 0) return {};
    selectedOf(menu) = row;
    return accept(menu, data, 1, true);
}

MenuPicture menuPicture(const Menu& menu, const MenuData& data)
{
    MenuPicture picture;
    static const char* const titles[] = {"", "Paused", "Courses", "Best times", "Settings", "Keys", "New key", "Key taken"};
    picture.title = titles[size_t(menu.screen)];
    for (Row& r : rowsOf(menu, data)) picture.rows.push_back(std::move(r.picture));
    picture.selected = menu.selected[size_t(menu.screen)];
    picture.notice = menu.notice;
    picture.textSize = menu.settings.textSize;
    switch (menu.screen) {
    case MenuScreen::Settings:
    case MenuScreen::BestTimes: picture.hint = "Up/Down: choose  Left/Right: change  Backspace: back"; break;
    case MenuScreen::WaitingForKey: picture.hint = "Press a key or button  Backspace, Start: cancel"; break;
    // The pad's Start is never bound, so that a pad can always reach the menu.
    case MenuScreen::Keys: picture.hint = "Enter: bind  Backspace: back  Pad Start: the menu"; break;
    case MenuScreen::Pause: picture.hint = "Up/Down: choose  Enter: select  Backspace: resume"; break;
    default: picture.hint = "Up/Down: choose  Enter: select  Backspace: back"; break;
    }
    return picture;
}

int keysRowOfAction(Action action)
{
    for (size_t i = 0; i < std::size(boundActions); ++i) {
        if (boundActions[i] == action) return keysRowsBefore + int(i);
    }
    return -1;
}
