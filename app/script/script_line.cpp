#include "app/script/script.h"

// The script as text: reading its lines, checking each into a command and
// spelling a command back. No game here, so that the fuzzer can take it alone.

#include "app/input/key_codes.h"

#include <cstdlib>
#include <sstream>
#include <vector>

namespace {

const long long windowReach = 100000;

// A whole token of decimal digits, optionally signed, within [low, high].
bool parseInt(const std::string& token, long long low, long long high, long long& out)
{
    if (token.empty() || token.size() > 12) {
        return false;
    }
    size_t start = (token[0] == '-') ? 1 : 0;
    if (start == token.size()) {
        return false;
    }
    for (size_t i = start; i < token.size(); ++i) {
        if (token[i] < '0' || token[i] > '9') {
            return false;
        }
    }
    out = std::strtoll(token.c_str(), nullptr, 10);
    return out >= low && out <= high;
}

struct Named {
    const char* name;
    int value;
};

const Named specialKeys[] = {
    {"UP", keyUp}, {"DOWN", keyDown}, {"LEFT", keyLeft},
    {"RIGHT", keyRight}, {"F1", keyF1},
};

// In the order a recording writes them.
const Named modifiers[] = {
    {"shift", modifierShift}, {"ctrl", modifierCtrl}, {"alt", modifierAlt},
    {"super", modifierSuper},
};

template <size_t N>
int valueNamed(const Named (&table)[N], const std::string& name, int otherwise)
{
    for (const Named& entry : table) {
        if (name == entry.name) return entry.value;
    }
    return otherwise;
}

template <size_t N>
const char* nameOf(const Named (&table)[N], int value)
{
    for (const Named& entry : table) {
        if (value == entry.value) return entry.name;
    }
    return nullptr;
}

bool parseDirection(const std::string& word, bool& down)
{
    down = word == "down";
    return down || word == "up";
}

// Two whole numbers within [low, high] after the verb, as `a` and `b`.
bool parsePair(const std::vector<std::string>& t, long long low, long long high, ScriptCommand& command)
{
    long long x = 0;
    long long y = 0;
    if (t.size() != 3 || !parseInt(t[1], low, high, x) || !parseInt(t[2], low, high, y)) {
        return false;
    }
    command.a = static_cast<int>(x);
    command.b = static_cast<int>(y);
    return true;
}

}  // namespace

std::string parseScriptLine(const std::string& line, ScriptCommand& command, bool& empty)
{
    std::istringstream in(line.substr(0, line.find('#')));
    std::vector<std::string> t;
    for (std::string token; in >> token;) {
        t.push_back(token);
    }
    empty = t.empty();
    if (empty) {
        return "";
    }
    const std::string& verb = t[0];
    long long value = 0;
    bool down = false;
    if (verb == "key") {
        if (t.size() != 3 || !parseDirection(t[1], down)) {
            return "expected: key down|up <code>";
        }
        if (!parseInt(t[2], 0, 255, value)) {
            return "key code must be a number from 0 to 255";
        }
        command.kind = down ? ScriptKind::KeyDown : ScriptKind::KeyUp;
        command.a = static_cast<int>(value);
        return "";
    }
    if (verb == "special") {
        if (t.size() < 3 || !parseDirection(t[1], down)) {
            return "expected: special down|up <name> [shift] [ctrl] [alt] [super]";
        }
        command.kind = down ? ScriptKind::SpecialDown : ScriptKind::SpecialUp;
        command.a = valueNamed(specialKeys, t[2], -1);
        if (command.a < 0) {
            return "special key must be UP, DOWN, LEFT, RIGHT or F1";
        }
        if (!down && t.size() > 3) {
            return "a special key release takes no modifiers";
        }
        for (size_t i = 3; i < t.size(); ++i) {
            int bit = valueNamed(modifiers, t[i], 0);
            if (bit == 0 || (command.b & bit) != 0) {
                return "modifiers are shift, ctrl, alt and super, each at most once";
            }
            command.b |= bit;
        }
        return "";
    }
    if (verb == "mouse") {
        // The mouse look subtracts the window centre from these, so they are
        // kept far from the int limits; a real pointer is never near them.
        if (!parsePair(t, -mouseReach, mouseReach, command)) {
            return "expected: mouse <x> <y> (whole pixels from -1000000 to 1000000)";
        }
        command.kind = ScriptKind::Mouse;
        return "";
    }
    if (verb == "window") {
        if (!parsePair(t, 1, windowReach, command)) {
            return "expected: window <width> <height> (whole pixels from 1 to 100000)";
        }
        command.kind = ScriptKind::Window;
        return "";
    }
    if (verb == "tick") {
        value = 1;
        if (t.size() > 2 || (t.size() == 2 && !parseInt(t[1], 0, largestTickCount, value))) {
            return "expected: tick [N], N from 0 to 100000000";
        }
        command.kind = ScriptKind::Tick;
        command.a = static_cast<int>(value);
        return "";
    }
    if (verb == "blocks" || verb == "items" || verb == "restart" || verb == "ghostrows") {
        if (t.size() != 1) {
            return verb + " takes no arguments";
        }
        command.kind = verb == "blocks"  ? ScriptKind::Blocks
                       : verb == "items" ? ScriptKind::Items
                       : verb == "restart" ? ScriptKind::Restart
                                           : ScriptKind::GhostRows;
        return "";
    }
    if (verb == "course") {
        if (t.size() != 2) return "expected: course <name or file.course>";
        command.kind = ScriptKind::Course;
        command.path = t[1];
        return "";
    }
    if (verb == "shot" || verb == "ghost") {
        if (t.size() != 2) {
            return verb == "shot" ? "expected: shot <file.png>" : "expected: ghost <file>";
        }
        command.kind = verb == "shot" ? ScriptKind::Shot : ScriptKind::Ghost;
        command.path = t[1];
        return "";
    }
    return "unknown command '" + printable(verb) + "'";
}

std::string scriptLineMessage(const char* program, long long number, const std::string& problem)
{
    return std::string(program) + ": line " + std::to_string(number) + ": " + problem;
}

std::string spellScriptLine(const ScriptCommand& command)
{
    const std::string up = " up ";
    const std::string down = " down ";
    switch (command.kind) {
    case ScriptKind::KeyDown:
    case ScriptKind::KeyUp:
        return "key" + (command.kind == ScriptKind::KeyDown ? down : up) + std::to_string(command.a);
    case ScriptKind::SpecialDown:
    case ScriptKind::SpecialUp: {
        const char* name = nameOf(specialKeys, command.a);
        if (!name) return "";
        if (command.kind == ScriptKind::SpecialUp) return "special" + up + name;
        std::string line = "special" + down + name;
        for (const Named& modifier : modifiers) {
            if (command.b & modifier.value) line += std::string(" ") + modifier.name;
        }
        return line;
    }
    case ScriptKind::Mouse:
        return "mouse " + std::to_string(command.a) + " " + std::to_string(command.b);
    case ScriptKind::Window:
        return "window " + std::to_string(command.a) + " " + std::to_string(command.b);
    case ScriptKind::Tick:
        return command.a == 1 ? "tick" : "tick " + std::to_string(command.a);
    case ScriptKind::Blocks:
        return "blocks";
    case ScriptKind::Items:
        return "items";
    case ScriptKind::Restart:
        return "restart";
    case ScriptKind::Shot:
        return "shot " + command.path;
    case ScriptKind::Ghost:
        return "ghost " + command.path;
    case ScriptKind::GhostRows:
        return "ghostrows";
    case ScriptKind::Course:
        return "course " + command.path;
    }
    return "";
}

bool nextLine(ScriptReader& reader, std::string& line)
{
    line.clear();
    int c = std::getc(reader.file);
    if (c == EOF) return false;
    for (; c != EOF && c != '\n' && c != '\r'; c = std::getc(reader.file)) {
        line.push_back(static_cast<char>(c));
    }
    if (c == '\r') {
        c = std::getc(reader.file);
        if (c != '\n' && c != EOF) std::ungetc(c, reader.file);
    }
    if (++reader.number == 1 && line.starts_with("\xEF\xBB\xBF")) line.erase(0, 3);
    return true;
}
