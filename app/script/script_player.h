#pragma once
// The one player of replay scripts. The replay tool, --watch and anything
// else that drives a Game from a script hold a ScriptPlayer beside their
// Game and held input, and ask it for the next step: it acts on the input
// lines itself, exactly as the game's callbacks do, and stops at each tick
// that is due and at each request (blocks, items, shot) for its caller to
// answer in its own way.

#include <cstdio>
#include <string>
#include <vector>

#include "app/script/script.h"

// A parsed line with the number it has in its file, for messages.
struct ScriptLine {
    ScriptCommand command;
    long long number = 0;
};

struct ScriptPlayer {
    std::vector<ScriptLine> lines;
    size_t next = 0;           // the next line to act on
    long long ticksLeft = 0;   // of the tick line acted on last
    ScriptScreen screen;       // as the script's window lines set it
    bool quit = false;         // the script pressed Esc: nothing more is played

    bool operator==(const ScriptPlayer&) const = default;
};

// Where the player stopped.
enum class ScriptStop {
    Tick,       // one tick is due: the caller advances its game
    Blocks,     // the script asks for the blocks, the items or a picture
    Items,
    Shot,
    Ghost,      // the script names a ghost to race, or asks for its rows
    GhostRows,
    Quit,       // Esc: from now on every step is Quit
    OutOfLines  // every line read so far is played; more may be appended
};

struct ScriptStep {
    ScriptStop stop = ScriptStop::OutOfLines;
    const ScriptLine* line = nullptr;  // the line of a request, a tick or Esc
};

// Acts on the lines from the cursor up to the next stop. A restart line puts
// the game and the input back to the start of every script.
ScriptStep nextScriptStep(ScriptPlayer& player, Game& game, Input& input);

// Lines played through are let go, so that a player fed line by line keeps
// only the lines still ahead of it.
void forgetPlayedLines(ScriptPlayer& player);

// What reading a whole script found: empty when every line parsed;
// otherwise the first bad line's number and what is wrong with it (the lines
// before it are kept), or, with `number` 0, why the file could not be read.
struct ScriptFault {
    long long number = 0;
    std::string problem;
};

// Reads on to the next line that is not blank and appends it; false, with
// `fault` set if anything went wrong, at the end of the file or a bad line.
bool readScriptLine(ScriptReader& reader, std::vector<ScriptLine>& lines, ScriptFault& fault);
// Reads the file to its end or its first bad line, appending the lines.
ScriptFault readScript(std::FILE* file, std::vector<ScriptLine>& lines);
// The same for a named file; a missing or unreadable file is a fault too.
ScriptFault readScriptFile(const std::string& path, std::vector<ScriptLine>& lines);
