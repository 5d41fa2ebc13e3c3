#include "tools/replay/script.h"

#include <GL/freeglut.h>

#include <cstdlib>
#include <sstream>
#include <vector>

namespace {

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

int specialKeyNamed(const std::string& name)
{
    if (name == "UP") return GLUT_KEY_UP;
    if (name == "DOWN") return GLUT_KEY_DOWN;
    if (name == "LEFT") return GLUT_KEY_LEFT;
    if (name == "RIGHT") return GLUT_KEY_RIGHT;
    if (name == "F1") return GLUT_KEY_F1;
    return -1;
}

int modifierNamed(const std::string& name)
{
    if (name == "shift") return GLUT_ACTIVE_SHIFT;
    if (name == "ctrl") return GLUT_ACTIVE_CTRL;
    if (name == "alt") return GLUT_ACTIVE_ALT;
    return 0;
}

bool parseDirection(const std::string& word, bool& down)
{
    down = word == "down";
    return down || word == "up";
}

}  // namespace

std::string parseLine(const std::string& line, Command& command, bool& empty)
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
        command.kind = down ? Kind::KeyDown : Kind::KeyUp;
        command.a = static_cast<int>(value);
        return "";
    }
    if (verb == "special") {
        if (t.size() < 3 || !parseDirection(t[1], down)) {
            return "expected: special down|up <name> [shift] [ctrl] [alt]";
        }
        command.kind = down ? Kind::SpecialDown : Kind::SpecialUp;
        command.a = specialKeyNamed(t[2]);
        if (command.a < 0) {
            return "special key must be UP, DOWN, LEFT, RIGHT or F1";
        }
        if (!down && t.size() > 3) {
            return "a special key release takes no modifiers";
        }
        for (size_t i = 3; i < t.size(); ++i) {
            int bit = modifierNamed(t[i]);
            if (bit == 0 || (command.b & bit) != 0) {
                return "modifiers are shift, ctrl and alt, each at most once";
            }
            command.b |= bit;
        }
        return "";
    }
    if (verb == "mouse") {
        long long y = 0;
        // The mouse look subtracts the window centre from these, so they are
        // kept far from the int limits; a real pointer is never near them.
        if (t.size() != 3 || !parseInt(t[1], -mouseReach, mouseReach, value) ||
            !parseInt(t[2], -mouseReach, mouseReach, y)) {
            return "expected: mouse <x> <y> (whole pixels from -1000000 to 1000000)";
        }
        command.kind = Kind::Mouse;
        command.a = static_cast<int>(value);
        command.b = static_cast<int>(y);
        return "";
    }
    if (verb == "tick") {
        value = 1;
        if (t.size() > 2 || (t.size() == 2 && !parseInt(t[1], 0, largestTickCount, value))) {
            return "expected: tick [N], N from 0 to 100000000";
        }
        command.kind = Kind::Tick;
        command.a = static_cast<int>(value);
        return "";
    }
    if (verb == "blocks" || verb == "items") {
        if (t.size() != 1) {
            return verb + " takes no arguments";
        }
        command.kind = verb == "blocks" ? Kind::Blocks : Kind::Items;
        return "";
    }
    if (verb == "shot") {
        if (t.size() != 2) {
            return "expected: shot <file.png>";
        }
        command.kind = Kind::Shot;
        command.path = t[1];
        return "";
    }
    return "unknown command '" + printable(verb) + "'";
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

std::string printable(std::string_view text)
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7f) {
            out.push_back(c);
        } else {
            out += "\\x";
            out.push_back(digits[byte >> 4]);
            out.push_back(digits[byte & 15]);
        }
    }
    return out;
}
