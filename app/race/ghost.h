#pragma once
// The ghost: a recorded run played beside the player's, a second Game moved
// on tick for tick with the player's from the same start. It is drawn and
// never heard, and nothing of it reaches the player's game.

#include <cstddef>
#include <string>
#include <vector>

#include "app/script/script.h"
#include "app/race/splits.h"
#include "app/script/script_player.h"
#include "app/files/course_library.h"
#include "sim/game.h"
#include "sim/timing.h"

struct Ghost {
    ScriptPlayer script;  // the run's lines and how far the ghost has played them
    Input input;          // what the script holds down so far
    Game game = newScriptGame();
    RunMarks marks;       // when the script's run reaches each checkpoint and the ring, known before the race
};

// A ghost's script is a run of some minutes; a file far larger is not one.
constexpr size_t largestGhostScript = size_t(8) << 20;
// How far ahead the marks are looked for: two hours of game time.
constexpr int32_t lookAheadTicks = 2 * 3600 * ticksPerSecond;

// A script's text as the replay tool reads it (lines ending in LF, CR LF or
// CR, a byte-order mark skipped). Empty on success, otherwise "line <n>:
// <problem>".
std::string parseScriptText(const std::string& text, std::vector<ScriptLine>& lines);

// The ghost of a script, at its start, its marks found by playing it through
// once (a `restart` in it starts the marks again).
Ghost ghostOf(std::vector<ScriptLine> lines, std::shared_ptr<const Course> course = builtInCourse());
// The ghost of a run whose marks are known already: the player's own.
Ghost ghostOfRun(const std::vector<ScriptCommand>& commands, const RunMarks& marks);

// A ghost read from a player's file, as untrusted: it may be missing, too
// large or not a script. Empty on success, otherwise one line naming the
// file and what is wrong; `missing` tells a file that is not there. `text`,
// when given, receives what was read.
std::string loadGhost(const std::string& path, Ghost& ghost, bool& missing, std::string* text = nullptr);

// Back to the script's start, as the player's game goes back to its own.
void restartGhost(Ghost& ghost);

// The tick the player's game has just run, for the ghost too: the script's
// input up to its next tick, then that tick. Once the script is over (its
// end, or its Esc) the ghost stays where it last was.
void advanceGhost(Ghost& ghost);
// The same, beside `player`'s game, which has just run this tick: the
// course's blocks come from the player's when they are in step.
void advanceGhost(Ghost& ghost, const Game& player);

// The ghost's tick beside a tick of `player` that ran: the first tick of the
// player's run (after the start, or a restart a script made) starts the
// ghost from its start too, from the player's seed: nobody sees the ghost's
// item pulses, and from the same seed it takes the player's instead of
// working out its own.
void advanceGhostBeside(Ghost& ghost, const Game& player);
