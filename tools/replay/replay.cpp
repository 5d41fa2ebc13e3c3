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

#include "app/ghost.h"
#include "app/rows.h"
#include "app/script.h"
#include "app/standard_streams.h"
#include "sim/game.h"
#include "tools/replay/shot.h"

namespace {

// The game a script plays, with the input it has given so far.
struct Replay {
    Game game = newScriptGame();
    Input input;
    ScriptScreen screen;
    long long tickNumber = 0;
    Shots shots;
    std::optional<Ghost> ghost;  // `ghost`: raced from that line on
    bool ghostRows = false;      // `ghostrows`: its columns after every row
};

void printBlocks(const Game& game)
{
    int index = 0;
    for (const Block& block : game.course.blocks) {
        std::printf("block,%d,%.9g,%.9g,%.9g,%.9g,%.9g,%.9g\n", ++index, block.position.x,
                    block.position.y, block.position.z, block.velocity.x, block.velocity.y,
                    block.velocity.z);
    }
}

void printItems(const Game& game)
{
    int index = 0;
    for (const Checkpoint& checkpoint : game.course.checkpoints) {
        std::printf("checkpoint,%d,%.9g,%.9g,%.9g\n", ++index, checkpoint.colour.x,
                    checkpoint.colour.y, checkpoint.colour.z);
    }
}

// What a command left the replay to do next.
struct Step {
    bool quit = false;    // Esc
    std::string problem;  // a failed shot, said like a malformed line
};

Step run(Replay& replay, const ScriptCommand& command)
{
    Game& game = replay.game;
    switch (command.kind) {
    case ScriptKind::Tick:
        // A reader that went away or a full disk ends a long run early.
        for (int i = 0; i < command.a && !std::ferror(stdout); ++i) {
            // As the game's timer: after the goal the tick does nothing.
            if (advanceTick(game, replay.input.controls) && replay.ghost) advanceGhostBeside(*replay.ghost, game);
            ++replay.tickNumber;
            std::string row = formatRow(replay.tickNumber, game);
            if (replay.ghostRows) {
                row.pop_back();
                row += formatGhostColumns(replay.ghost ? &replay.ghost->game : nullptr) + "\n";
            }
            std::fputs(row.c_str(), stdout);
        }
        break;
    case ScriptKind::Blocks:
        printBlocks(game);
        break;
    case ScriptKind::Items:
        printItems(game);
        break;
    case ScriptKind::Restart:
        restartScript(game, replay.input);
        break;
    case ScriptKind::Shot:
        std::fflush(stdout);
        return Step{false, takeShot(replay.shots, game, replay.ghost ? &replay.ghost->game.ball : nullptr,
                                    command.path.c_str())};
    case ScriptKind::Ghost: {
        Ghost ghost;
        bool missing = false;
        const std::string problem = loadGhost(command.path, ghost, missing);
        if (!problem.empty()) return Step{false, "ghost: " + problem};
        replay.ghost = std::move(ghost);
        break;
    }
    case ScriptKind::GhostRows:
        replay.ghostRows = true;
        std::printf("%s\n", ghostRowHeader);
        break;
    default:
        // Esc ends the game as it does for a player.
        return Step{applyScriptInput(command, replay.input, game.camera, replay.screen), ""};
    }
    return Step{};
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

} // namespace

int main(int argc, char** argv)
{
    openClosedStandardDescriptors();
    if (argc > 2) {
        std::fprintf(stderr, "usage: skycourse-replay [script]  (the script is read from stdin without one)\n");
        return 2;
    }
    const char* scriptName = argc == 2 ? argv[1] : "standard input";
    std::FILE* script = argc == 2 ? std::fopen(argv[1], "rb") : stdin;
    if (script == nullptr) {
        std::fprintf(stderr, "skycourse-replay: cannot read %s: %s\n", printable(scriptName).c_str(),
                     std::strerror(errno));
        return 2;
    }

    Replay replay;
    std::fputs(rowHeader, stdout);
    std::fputc('\n', stdout);
    ScriptReader reader{script};
    for (std::string line; nextLine(reader, line);) {
        ScriptCommand command{};
        bool empty = false;
        const std::string problem = parseScriptLine(line, command, empty);
        if (!problem.empty()) finish(2, reader.number, problem);
        if (empty) continue;
        const Step step = run(replay, command);
        if (!step.problem.empty()) finish(2, reader.number, step.problem);
        if (step.quit) finish(0);
        if (std::ferror(stdout)) finish(1);
    }
    if (std::ferror(script)) {
        const int error = errno;
        std::fflush(stdout);
        std::fprintf(stderr, "skycourse-replay: cannot read %s: %s\n", printable(scriptName).c_str(),
                     std::strerror(error));
        std::_Exit(2);
    }
    finish(0);
}
