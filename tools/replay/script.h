#pragma once
// The replay script language: lines as editors save them, and each line
// checked into one command. No game, no GL, no output: the replay tool and
// the fuzz target share it.

#include <cstdio>
#include <string>
#include <string_view>

enum class Kind { KeyDown, KeyUp, SpecialDown, SpecialUp, Mouse, Tick, Blocks, Items, Shot };

// One validated script line, ready to act on.
struct Command {
    Kind kind = Kind::Tick;
    int a = 0;         // key code, special key, x, or tick count
    int b = 0;         // y, or the modifier bits of a special key
    std::string path;  // shot
};

inline constexpr long long mouseReach = 1000000;
inline constexpr long long largestTickCount = 100000000;

// Empty string when the line is a valid command (or blank); otherwise what
// is wrong with it, safe to print. `empty` tells a blank or comment-only line.
std::string parseLine(const std::string& line, Command& command, bool& empty);

// Reads a script line by line. Lines end in LF, CR LF or a lone CR; a UTF-8
// byte-order mark before the first line is dropped.
struct ScriptReader {
    std::FILE* file;
    long long number = 0;  // of the line last read, from 1
};

// False at the end of the file or on a read error (then ferror(file)).
bool nextLine(ScriptReader& reader, std::string& line);

// The text with every byte outside printable ASCII written as \xNN, so that
// echoing it cannot drive the terminal.
std::string printable(std::string_view text);
