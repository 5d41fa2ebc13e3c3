#pragma once
// The replay script: one input event or one request per line. Read by the
// replay tool and by the game's --watch, written by the game's --record,
// so the spelling lives here once and a recording reads back as it was
// played.

#include <cstdio>
#include <string>
#include <string_view>

#include "app/input/game_screen.h"
#include "app/input/input.h"
#include "app/files/printable.h"
#include "sim/game.h"

enum class ScriptKind {
    KeyDown, KeyUp, SpecialDown, SpecialUp, Mouse, Window, Tick, Blocks, Items, Shot, Restart,
    Ghost,      // the replay tool races the script named in `path`
    GhostRows,  // the replay tool's rows carry the ghost's ball from here on
    Course,     // the course the script is played on, named in `path`: its first line only
};

// One validated script line, ready to act on.
struct ScriptCommand {
    ScriptKind kind = ScriptKind::Tick;
    int a = 0;         // key code, special key, x, width, or tick count
    int b = 0;         // y, height, or the modifier bits of a special key
    std::string path;  // shot, ghost
};

// The game every script starts from, the same every time so that a script
// replays identically everywhere: the course built and the item pulses
// seeded with 1.
inline Game newScriptGame()
{
    return newGame(1);
}

// The pixels mouse lines are given in: a 1280 x 1024 screen unless a
// `window` line says otherwise.
struct ScriptScreen {
    int width = gameScreenWidth;
    int height = gameScreenHeight;

    bool operator==(const ScriptScreen&) const = default;
};

// Empty when the line is a valid command (or blank); otherwise what is wrong
// with it. `empty` tells a blank or comment-only line.
std::string parseScriptLine(const std::string& line, ScriptCommand& command, bool& empty);

inline constexpr long long mouseReach = 1000000;
inline constexpr long long largestTickCount = 100000000;

// Reads a script line by line. Lines end in LF, CR LF or a lone CR; a UTF-8
// byte-order mark before the first line is dropped.
struct ScriptReader {
    std::FILE* file;
    long long number = 0;  // of the line last read, from 1
};

// False at the end of the file or on a read error (then ferror(file)).
bool nextLine(ScriptReader& reader, std::string& line);

// "Line <n>: <problem>" with the tool's name in front, as both readers say it.
std::string scriptLineMessage(const char* program, long long number, const std::string& problem);

// Backspace in the game: the script's game (its course, from its seed) and
// input as they started.
void restartScript(Game& game, Input& input);

// The key, special, mouse and window lines acted on exactly as the game's
// callbacks act on them. True when the command asks to quit (Esc); commands
// of other kinds do nothing here.
bool applyScriptInput(const ScriptCommand& command, Input& input, Camera& camera, ScriptScreen& screen);

// The line that reads back as `command` (no line end). Special keys other
// than the five the format names have no spelling: empty.
std::string spellScriptLine(const ScriptCommand& command);
