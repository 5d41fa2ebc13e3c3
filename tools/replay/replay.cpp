// skycourse-replay: runs the game's own simulation from a script of input
// events, with no window, no X display and no sound, and prints the ball's
// state after every tick as CSV. Deterministic: the same script always
// gives the same output.

#include <GL/freeglut.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "app/input.h"
#include "sim/game.h"
#include "tools/headless/headless_game.h"
#include "tools/replay/shot.h"

namespace {

enum class Kind { KeyDown, KeyUp, SpecialDown, SpecialUp, Mouse, Tick, Blocks, Items, Shot };

// One validated script line, ready to act on.
struct Command {
    Kind kind;
    int a = 0;         // key code, special key, x, or tick count
    int b = 0;         // y, or the modifier bits of a special key
    std::string path;  // shot
};

const char* const header =
    "tick,state,px,py,pz,vx,vy,vz,radius,airborne,yaw,pitch,quadrant,cpx,cpy,cpz,cpr";

const long long mouseReach = 1000000;

// The game a script plays, with the input it has given so far.
struct Replay {
    Game game = startHeadlessGame();
    Input input;
    long long tickNumber = 0;
    Shots shots;
};

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

// Empty string when the line is a valid command (or blank); otherwise what
// is wrong with it. `empty` tells a blank or comment-only line.
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
        if (t.size() > 2 || (t.size() == 2 && !parseInt(t[1], 0, 100000000, value))) {
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
    return "unknown command '" + verb + "'";
}

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

void run(Replay& replay, const Command& command)
{
    Game& game = replay.game;
    switch (command.kind) {
    case Kind::KeyDown:
        if (pressKey(replay.input, game.camera, static_cast<unsigned char>(command.a))) {
            // Esc ends the game as it does for a player, after what was
            // printed so far has reached the reader.
            std::fflush(stdout);
            std::exit(0);
        }
        break;
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
        for (int i = 0; i < command.a; ++i) {
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
        if (!takeShot(replay.shots, game, command.path.c_str())) {
            std::exit(2);
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

    std::puts(header);
    std::string line;
    for (long long number = 1; std::getline(script, line); ++number) {
        Command command{};
        bool empty = false;
        std::string problem = parseLine(line, command, empty);
        if (!problem.empty()) {
            std::fflush(stdout);
            std::fprintf(stderr, "skycourse-replay: line %lld: %s\n", number, problem.c_str());
            std::_Exit(2);
        }
        if (!empty) {
            run(replay, command);
        }
    }
    return 0;
}
