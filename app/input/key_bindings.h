#pragma once
// Which key or pad button does what. The game's own keys and the pad's own
// buttons always work; keys.conf may give an action another key or button
// as well, e.g. WASD for the arrows, X for the jump. A key or button bound
// there does its new action only.

#include <string>
#include <vector>

enum class Action {
    Forward, Back, Left, Right, Jump, TurnLeft, TurnRight, TurnRound,
    Camera, MouseLook, Level, Pause, Restart, Timer, Mute, Ghost,
};

// An ASCII key as GLUT gives it, a special key of app/key_codes.h, or a
// pad's button (its pad code there).
struct PlayerKey {
    bool special = false;
    int code = 0;
    bool pad = false;

    bool operator==(const PlayerKey&) const = default;
};

struct Binding {
    Action action;
    PlayerKey key;
};

struct KeyBindings {
    std::vector<Binding> bound;  // from keys.conf, in its order
};

// The action of a key: a binding of keys.conf first, then the game's own
// keys for the actions that have a single key. False for any other key.
bool actionOfKey(const KeyBindings& bindings, PlayerKey key, Action& action);

// keys.conf's text: `action = key` lines, # comments. A line that does not
// parse is left out, its problem noted with its line number.
KeyBindings parseKeyBindings(const std::string& text, std::vector<std::string>& problems);

// The file read, as untrusted: missing is no problem; unreadable, too large
// or bad lines are each one line in `problems`.
KeyBindings loadKeyBindings(const std::string& path, std::vector<std::string>& problems);

// Every action with the keys that do it, one line each, for --print-keys.
std::string describeBindings(const KeyBindings& bindings);

// The names keys.conf uses: an action's, and a key's (a letter as itself).
const char* nameOfAction(Action action);
std::string nameOfKey(PlayerKey key);
// What a key does now: keys.conf's binding, else the game's own key for it
// (the arrows, Enter, c, p, l and the single keys). False for a free key.
bool actionNowOfKey(const KeyBindings& bindings, PlayerKey key, Action& action);
// The bindings as keys.conf's text, which parseKeyBindings reads back whole.
std::string spellKeyBindings(const KeyBindings& bindings);
// Whether keys.conf can name the key, so that a binding of it survives a
// save and a load. The pad's Start is never bound: it always opens and
// closes the menu, so that a pad can never lose it.
bool bindableKey(PlayerKey key);
