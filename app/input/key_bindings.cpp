#include "app/input/key_bindings.h"

#include "app/input/key_codes.h"
#include "app/files/printable.h"
#include "app/files/small_file.h"

#include <cctype>
#include <sstream>

namespace {

// keys.conf is a few lines; anything larger is not one.
constexpr size_t largestFile = 64 * 1024;

struct ActionName {
    Action action;
    const char* name;
    const char* defaultKeys;  // as --print-keys shows them
};

const ActionName actionNames[] = {
    {Action::Forward, "forward", "up, pad-up"},
    {Action::Back, "back", "down, pad-down"},
    {Action::Left, "left", "left, pad-left"},
    {Action::Right, "right", "right, pad-right"},
    {Action::Jump, "jump", "enter (z after f1), pad-a"},
    {Action::TurnLeft, "turn left", "shift+left, pad-lb"},
    {Action::TurnRight, "turn right", "shift+right, pad-rb"},
    {Action::TurnRound, "turn round", "shift+down"},
    {Action::Camera, "camera", "c"},
    {Action::MouseLook, "mouse look", "p, pad-back"},
    {Action::Level, "level", "l"},
    {Action::Pause, "pause", "space, pause, pad-start"},
    {Action::Restart, "restart", "backspace"},
    {Action::Timer, "timer", "t"},
    {Action::Mute, "mute", "m"},
    {Action::Ghost, "ghost", "g"},
};

struct KeyName {
    const char* name;
    PlayerKey key;
};

const KeyName keyNames[] = {
    {"space", {false, ' '}}, {"enter", {false, keyEnter}}, {"backspace", {false, 8}}, {"tab", {false, 9}},
    {"up", {true, keyUp}}, {"down", {true, keyDown}}, {"left", {true, keyLeft}},
    {"right", {true, keyRight}}, {"home", {true, keyHome}}, {"end", {true, keyEnd}},
    {"pageup", {true, keyPageUp}}, {"pagedown", {true, keyPageDown}},
    {"insert", {true, keyInsert}}, {"f1", {true, keyF1}}, {"f2", {true, keyF2}},
    {"f3", {true, keyF3}}, {"f4", {true, keyF4}}, {"f5", {true, keyF5}},
    {"f6", {true, keyF6}}, {"f7", {true, keyF7}}, {"f8", {true, keyF8}},
    {"f9", {true, keyF9}}, {"f10", {true, keyF10}}, {"f11", {true, keyF11}},
    {"f12", {true, keyF12}},
    {"pad-a", {false, padA, true}}, {"pad-b", {false, padB, true}}, {"pad-x", {false, padX, true}},
    {"pad-y", {false, padY, true}}, {"pad-back", {false, padBack, true}}, {"pad-start", {false, padStart, true}},
    {"pad-lb", {false, padLeftShoulder, true}}, {"pad-rb", {false, padRightShoulder, true}},
    {"pad-ls", {false, padLeftStick, true}}, {"pad-rs", {false, padRightStick, true}},
    {"pad-up", {false, padUp, true}}, {"pad-down", {false, padDown, true}},
    {"pad-left", {false, padLeft, true}}, {"pad-right", {false, padRight, true}},
};

// The game's own keys for the actions that are one key, not read by
// app/input.cpp, and the pad's own buttons.
const Binding ownKeys[] = {
    {Action::Pause, {false, ' '}}, {Action::Restart, {false, 8}},
    {Action::Timer, {false, 't'}}, {Action::Mute, {false, 'm'}}, {Action::Ghost, {false, 'g'}},
    {Action::Forward, {false, padUp, true}}, {Action::Back, {false, padDown, true}},
    {Action::Left, {false, padLeft, true}}, {Action::Right, {false, padRight, true}},
    {Action::Jump, {false, padA, true}}, {Action::TurnLeft, {false, padLeftShoulder, true}},
    {Action::TurnRight, {false, padRightShoulder, true}}, {Action::Pause, {false, padStart, true}},
    {Action::MouseLook, {false, padBack, true}},
};

// The pad's Start opens and closes the menu whatever is bound.
constexpr PlayerKey padStartKey{false, padStart, true};

// Letters bind whatever the case, as Shift or Caps Lock may give either.
PlayerKey folded(PlayerKey key)
{
    if (!key.special && !key.pad && key.code >= 'A' && key.code <= 'Z') key.code += 'a' - 'A';
    return key;
}

std::string trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

bool parseKey(const std::string& word, PlayerKey& key)
{
    std::string lower;
    for (char c : word) lower += char(std::tolower(static_cast<unsigned char>(c)));
    for (const KeyName& named : keyNames) {
        if (lower == named.name) {
            key = named.key;
            return true;
        }
    }
    // One printable character other than the comment mark and the space.
    if (word.size() != 1 || word[0] == '#' || !std::isgraph(static_cast<unsigned char>(word[0]))) return false;
    key = folded({false, static_cast<unsigned char>(word[0])});
    return true;
}

std::string keyName(PlayerKey key)
{
    for (const KeyName& named : keyNames) {
        if (named.key == key) return named.name;
    }
    if (key.pad) return "pad button " + std::to_string(key.code);
    return std::string(1, char(key.code));
}

}  // namespace

bool actionOfKey(const KeyBindings& bindings, PlayerKey key, Action& action)
{
    key = folded(key);
    for (const Binding& binding : bindings.bound) {
        if (binding.key == key) {
            action = binding.action;
            return true;
        }
    }
    for (const Binding& own : ownKeys) {
        if (own.key == key) {
            action = own.action;
            return true;
        }
    }
    return false;
}

KeyBindings parseKeyBindings(const std::string& text, std::vector<std::string>& problems)
{
    KeyBindings bindings;
    std::istringstream in(text);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        const std::string body = trimmed(line.substr(0, line.find('#')));
        if (body.empty()) continue;
        auto problem = [&](const std::string& what) {
            problems.push_back("line " + std::to_string(number) + ": " + what + "; ignored");
        };
        const size_t equals = body.find('=');
        if (equals == std::string::npos) {
            problem("expected `action = key`");
            continue;
        }
        const std::string name = trimmed(body.substr(0, equals));
        const std::string keyWord = trimmed(body.substr(equals + 1));
        const ActionName* action = nullptr;
        for (const ActionName& a : actionNames) {
            if (name == a.name) action = &a;
        }
        PlayerKey key;
        if (!action) {
            problem("unknown action '" + printable(name.substr(0, 40)) + "'");
        } else if (!parseKey(keyWord, key)) {
            problem("unknown key '" + printable(keyWord.substr(0, 40)) + "'");
        } else if (key == padStartKey) {
            problem("pad-start always opens the menu; it cannot be bound");
        } else {
            bool taken = false;
            for (const Binding& b : bindings.bound) taken = taken || b.key == key;
            if (taken) {
                problem("key '" + printable(keyWord) + "' is bound already");
            } else {
                bindings.bound.push_back({action->action, key});
            }
        }
    }
    return bindings;
}

KeyBindings loadKeyBindings(const std::string& path, std::vector<std::string>& problems)
{
    std::string text;
    switch (readSmallFile(path, largestFile, text)) {
    case SmallFile::Missing: return {};
    case SmallFile::Unreadable: problems.push_back("cannot be read; ignored"); return {};
    case SmallFile::TooLarge: problems.push_back("is larger than 64 KiB; ignored"); return {};
    default: return parseKeyBindings(text, problems);
    }
}

std::string describeBindings(const KeyBindings& bindings)
{
    std::string out;
    for (const ActionName& a : actionNames) {
        // The game's own keys, less those keys.conf gave to another action.
        std::string keys;
        std::istringstream own(a.defaultKeys);
        for (std::string item; std::getline(own, item, ',');) {
            item = trimmed(item);
            PlayerKey key;
            Action now;
            if (parseKey(item.substr(0, item.find(' ')), key) && actionOfKey(bindings, key, now) && now != a.action) continue;
            keys += (keys.empty() ? "" : ", ") + item;
        }
        for (const Binding& b : bindings.bound) {
            if (b.action == a.action) keys += (keys.empty() ? "" : ", ") + keyName(b.key);
        }
        out += std::string(a.name) + std::string(12 - std::string(a.name).size(), ' ') + keys + "\n";
    }
    return out;
}

const char* nameOfAction(Action action)
{
    for (const ActionName& a : actionNames) {
        if (a.action == action) return a.name;
    }
    return "";
}

std::string nameOfKey(PlayerKey key)
{
    return keyName(key);
}

bool actionNowOfKey(const KeyBindings& bindings, PlayerKey key, Action& action)
{
    if (actionOfKey(bindings, key, action)) return true;
    key = folded(key);
    for (const ActionName& a : actionNames) {
        std::istringstream own(a.defaultKeys);
        for (std::string item; std::getline(own, item, ',');) {
            item = trimmed(item);
            PlayerKey ownKey;
            if (parseKey(item.substr(0, item.find(' ')), ownKey) && ownKey == key) {
                action = a.action;
                return true;
            }
        }
    }
    return false;
}

bool bindableKey(PlayerKey key)
{
    PlayerKey back;
    return parseKey(keyName(key), back) && back == folded(key) && !(back == padStartKey);
}

std::string spellKeyBindings(const KeyBindings& bindings)
{
    std::string text = "# Skycourse's keys: `action = key` a line. Written by the game's menu.\n";
    for (const Binding& b : bindings.bound) text += std::string(nameOfAction(b.action)) + " = " + keyName(b.key) + "\n";
    return text;
}
