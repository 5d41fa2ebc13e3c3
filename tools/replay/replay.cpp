// skycourse-replay: runs the game's own simulation from a script of input
// events, with no window, no X display and no sound, and prints the ball's
// state after every tick as CSV. Deterministic: the same script always
// gives the same output.

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/input.h"
#include "app/standard_streams.h"
#include "sim/game.h"
#include "tools/headless/headless_game.h"
#include "tools/replay/script.h"
#include "tools/replay/shot.h"

namespace {

const char* const header =
    "tick,state,px,py,pz,vx,vy,vz,radius,airborne,yaw,pitch,quadrant,cpx,cpy,cpz,cpr";

// The game a script plays, with the input it has given so far.
struct Replay {
    Game game = startHeadlessGame();
    Input input;
    long long tickNumber = 0;
    Shots shots;
};

void printRow(const Replay& replay)
{
    const Game& g = replay.game;
    const Ball& b = g.ball;
    const Camera& c = g.camera;
    std::printf("%lld,%d,%.9g,%.9g,%.9g,%.9g,%.9g,%.9g,%.9g,%d,%.9g,%.9g,%d,%.9g,%.9g,%.9g,%.9g\n",
                replay.tickNumber, static_cast<int>(g.gameState), b.position.x, b.position.y,
                b.position.z, b.velocity.x, b.velocity.y, b.velocity.z, b.radius, g.airborne ? 1 : 0,
                c.cameraYaw, c.cameraPitch, static_cast<int>(c.viewQuadrant), g.checkpointPosition.x,
                g.checkpointPosition.y, g.checkpointPosition.z, g.checkpointRadius);
}

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

Step run(Replay& replay, const Command& command)
{
    Game& game = replay.game;
    switch (command.kind) {
    case Kind::KeyDown:
        // Esc ends the game as it does for a player.
        return Step{pressKey(replay.input, game.camera, static_cast<unsigned char>(command.a)), ""};
    case Kind::KeyUp:
        releaseKey(replay.input, static_cast<unsigned char>(command.a));
        break;
    case Kind::SpecialDown:
        pressSpecial(replay.input, game.camera, command.a, command.b);
        break;
    case Kind::SpecialUp:
        releaseSpecial(replay.input, game.camera, command.a);
        break;
    case Kind::Mouse:
        // The pointer warp has nothing to move here.
        movePointer(replay.input, game.camera, command.a, command.b, replayScreenWidth, replayScreenHeight);
        break;
    case Kind::Tick:
        // A reader that went away or a full disk ends a long run early.
        for (int i = 0; i < command.a && !std::ferror(stdout); ++i) {
            // As the game's timer: after the goal the tick does nothing.
            advanceTick(game, replay.input.controls);
            ++replay.tickNumber;
            printRow(replay);
        }
        break;
    case Kind::Blocks:
        printBlocks(game);
        break;
    case Kind::Items:
        printItems(game);
        break;
    case Kind::Shot:
        std::fflush(stdout);
        return Step{false, takeShot(replay.shots, game, command.path.c_str())};
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
        std::fprintf(stderr, "skycourse-replay: line %lld: %s\n", lineNumber, problem.c_str());
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
    std::puts(header);
    ScriptReader reader{script};
    for (std::string line; nextLine(reader, line);) {
        Command command{};
        bool empty = false;
        const std::string problem = parseLine(line, command, empty);
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
