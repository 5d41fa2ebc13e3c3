// skycourse-replay: runs the game's own simulation from a script of input
// events, with no window, no X display and no sound, and prints the ball's
// state after every tick as CSV. Deterministic: the same script always
// gives the same output.

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <utility>

#include "app/race/ghost.h"
#include "app/script/script_course.h"
#include "app/script/rows.h"
#include "app/script/script_player.h"
#include "app/files/standard_streams.h"
#include "sim/game.h"
#include "sim/items.h"
#include "tools/replay/shot.h"

namespace {

// The game a script plays, with the input it has given so far.
struct Replay {
    Game game = newScriptGame();
    Input input;
    ScriptPlayer player;
    long long tickNumber = 0;
    std::shared_ptr<Shots> shots;
    ShotLook look;               // how shots are drawn
    std::optional<Ghost> ghost;  // `ghost`: raced from that line on
    bool ghostRows = false;      // `ghostrows`: its columns after every row
    bool begun = false;          // a command other than `course` was read
};

void printBlocks(const Game& game)
{
    int index = 0;
    for (const BlockState& block : game.courseState.blocks) {
        std::printf("block,%d,%.9g,%.9g,%.9g,%.9g,%.9g,%.9g\n", ++index, block.position.x,
                    block.position.y, block.position.z, block.velocity.x, block.velocity.y,
                    block.velocity.z);
    }
}

void printItems(const Game& game)
{
    int index = 0;
    for (const CheckpointState& checkpoint : game.courseState.checkpoints) {
        const Vec3 colour = checkpointColour(checkpoint);
        std::printf("checkpoint,%d,%.9g,%.9g,%.9g\n", ++index, colour.x, colour.y, colour.z);
    }
}

// The row of the tick just run, with the ghost's columns when asked for.
void printRow(const Replay& replay)
{
    std::string row = formatRow(replay.tickNumber, replay.game);
    if (replay.ghostRows) {
        row.pop_back();
        row += formatGhostColumns(replay.ghost ? &replay.ghost->game : nullptr) + "\n";
    }
    std::fputs(row.c_str(), stdout);
}

// Every ending goes through here: the rows printed so far reach the reader,
// or one line says they could not, and only then the script's own problem.
[[noreturn]] void finish(int status, long long lineNumber = 0, const std::string& problem = "")
{
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fprintf(stderr, "skycourse-replay: cannot write the rows: %s\n", std::strerror(errno));
        std::_Exit(1);
    }
    if (!problem.empty()) {
        std::fprintf(stderr, "%s\n", scriptLineMessage("skycourse-replay", lineNumber, problem).c_str());
    }
    std::_Exit(status);
}

// A `course` line, the script's first, puts the game on that course; one
// anywhere else is refused, as is a course that cannot be found or read.
void takeCourseLine(Replay& replay)
{
    const ScriptLine& line = replay.player.lines.back();
    if (line.command.kind != ScriptKind::Course) {
        replay.begun = true;
        return;
    }
    if (replay.begun) finish(2, line.number, "a course line must come before any other");
    FoundCourse course;
    const std::string problem = findCourse(line.command.path, courseFolders(), course);
    if (!problem.empty()) finish(2, line.number, problem);
    replay.game = newScriptGame(course);
}

// Plays the lines read so far. Esc, a failed shot or a reader that went
// away (a full disk, a closed pipe) end the run here.
void playLines(Replay& replay)
{
    Game& game = replay.game;
    for (;;) {
        const ScriptStep step = nextScriptStep(replay.player, game, replay.input);
        switch (step.stop) {
        case ScriptStop::Tick:
            // As the game's timer: after the goal the tick does nothing.
            if (advanceTick(game, replay.input.controls) && replay.ghost) advanceGhostBeside(*replay.ghost, game);
            ++replay.tickNumber;
            printRow(replay);
            break;
        case ScriptStop::Blocks:
            printBlocks(game);
            break;
        case ScriptStop::Items:
            printItems(game);
            break;
        case ScriptStop::Shot: {
            std::fflush(stdout);
            const Ball* ghost = replay.ghost ? &replay.ghost->game.ball : nullptr;
            const std::string problem =
                takeShot(replay.shots, game, ghost, step.line->command.path.c_str(), replay.look);
            if (!problem.empty()) finish(2, step.line->number, problem);
            break;
        }
        case ScriptStop::Ghost: {
            Ghost ghost;
            bool missing = false;
            const std::string problem = loadGhost(step.line->command.path, ghost, missing);
            if (!problem.empty()) finish(2, step.line->number, "ghost: " + problem);
            if (!(*ghost.game.course == *game.course)) {
                finish(2, step.line->number, "ghost: " + step.line->command.path + " is a run of another course");
            }
            replay.ghost = std::move(ghost);
            break;
        }
        case ScriptStop::GhostRows:
            replay.ghostRows = true;
            std::printf("%s\n", ghostRowHeader);
            break;
        case ScriptStop::Quit:
            // Esc ends the game as it does for a player.
            finish(0);
        case ScriptStop::OutOfLines:
            forgetPlayedLines(replay.player);
            return;
        }
        if (std::ferror(stdout)) finish(1);
    }
}

} // namespace

int main(int argc, char** argv)
{
    openClosedStandardDescriptors();
    ShotLook look;
    // --renderer picks how `shot` draws: classic (the default) or shaders;
    // --graphics full (the default) or fast, as the game's option.
    while (argc > 1 && (std::strcmp(argv[1], "--renderer") == 0 || std::strcmp(argv[1], "--graphics") == 0)) {
        const bool renderer = std::strcmp(argv[1], "--renderer") == 0;
        const char* first = renderer ? "classic" : "full";
        const char* second = renderer ? "shaders" : "fast";
        if (argc < 3 || (std::strcmp(argv[2], first) != 0 && std::strcmp(argv[2], second) != 0)) {
            std::fprintf(stderr, "skycourse-replay: %s must be %s or %s\n", argv[1], first, second);
            return 2;
        }
        (renderer ? look.shaders : look.fast) = std::strcmp(argv[2], second) == 0;
        argv += 2;
        argc -= 2;
    }
    if (argc > 2) {
        std::fprintf(stderr, "usage: skycourse-replay [--renderer classic|shaders] [--graphics full|fast] [script]  "
                             "(the script is read from stdin without one)\n");
        return 2;
    }
    const char* scriptName = argc == 2 ? argv[1] : "standard input";
    std::FILE* script = argc == 2 ? std::fopen(argv[1], "rb") : stdin;
    if (script == nullptr) {
        std::fprintf(stderr, "skycourse-replay: cannot read %s: %s\n", printable(scriptName).c_str(),
                     std::strerror(errno));
        return 2;
    }

    // Line by line, so that rows come as the script does and a long script
    // is never held whole.
    Replay replay;
    replay.look = look;
    std::fputs(rowHeader, stdout);
    std::fputc('\n', stdout);
    ScriptReader reader{script};
    ScriptFault fault;
    while (readScriptLine(reader, replay.player.lines, fault)) {
        if (!replay.player.lines.empty()) takeCourseLine(replay);
        playLines(replay);
    }
    if (fault.number > 0) finish(2, fault.number, fault.problem);
    if (!fault.problem.empty()) {
        std::fflush(stdout);
        std::fprintf(stderr, "skycourse-replay: cannot read %s: %s\n", printable(scriptName).c_str(),
                     fault.problem.c_str());
        std::_Exit(2);
    }
    finish(0);
}
