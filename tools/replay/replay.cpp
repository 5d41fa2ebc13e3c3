// skycourse-replay: runs the game's own simulation from a script of input
// events, with no window, no X display and no sound, and prints the ball's
// state after every tick as CSV. Deterministic: the same script always
// gives the same output.

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

#include "app/rows.h"
#include "app/script.h"
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

void run(Replay& replay, const ScriptCommand& command)
{
    Game& game = replay.game;
    switch (command.kind) {
    case ScriptKind::Tick:
        for (int i = 0; i < command.a; ++i) {
            // As the game's timer: after the goal the tick does nothing.
            advanceTick(game, replay.input.controls);
            ++replay.tickNumber;
            std::fputs(formatRow(replay.tickNumber, game).c_str(), stdout);
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
        if (!takeShot(replay.shots, game, command.path.c_str())) {
            std::exit(2);
        }
        break;
    default:
        if (applyScriptInput(command, replay.input, game.camera, replay.screen)) {
            // Esc ends the game as it does for a player, after what was
            // printed so far has reached the reader.
            std::fflush(stdout);
            std::exit(0);
        }
        break;
    }
}

void flushOutput()
{
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 2) {
        std::fprintf(stderr, "usage: skycourse-replay [script]  (the script is read from stdin without one)\n");
        return 2;
    }
    std::ifstream file;
    if (argc == 2) {
        file.open(argv[1]);
        if (!file) {
            std::fprintf(stderr, "skycourse-replay: cannot read %s: %s\n", argv[1], std::strerror(errno));
            return 2;
        }
    }
    std::istream& script = argc == 2 ? static_cast<std::istream&>(file) : std::cin;

    std::atexit(flushOutput);
    Replay replay;

    std::fputs(rowHeader, stdout);
    std::fputc('\n', stdout);
    std::string line;
    for (long long number = 1; std::getline(script, line); ++number) {
        ScriptCommand command{};
        bool empty = false;
        std::string problem = parseScriptLine(line, command, empty);
        if (!problem.empty()) {
            std::fflush(stdout);
            std::fprintf(stderr, "%s\n", scriptLineMessage("skycourse-replay", number, problem).c_str());
            std::_Exit(2);
        }
        if (!empty) {
            run(replay, command);
        }
    }
    return 0;
}
