#include "tools/autopilot/drive.h"

#include "app/input/key_codes.h"

#include "app/script/script.h"
#include "app/script/script_course.h"

namespace {

// The one game the planner drives; a tool of its own, so one is enough.
struct Drive {
    Game game;
    Input input;
    Keys held;
    std::vector<Keys> played;
};

Drive& drive()
{
    static Drive current;
    return current;
}

int arrowKey(bool xAxis, int sign)
{
    if (xAxis) return sign > 0 ? keyRight : keyLeft;
    return sign > 0 ? keyDown : keyUp;
}

void changeAxis(Drive& d, bool xAxis, int from, int to)
{
    if (from == to) return;
    if (from != 0) releaseSpecial(d.input, d.game.camera, arrowKey(xAxis, from));
    if (to != 0) pressSpecial(d.input, d.game.camera, arrowKey(xAxis, to), 0);
}

} // namespace

void startGame()
{
    drive() = Drive{newScriptGame(), Input{}, Keys{}, {}};
}

void startGame(const FoundCourse& course)
{
    drive() = Drive{newScriptGame(course), Input{}, Keys{}, {}};
}

const Game& game()
{
    return drive().game;
}

Snapshot saveGame()
{
    const Drive& d = drive();
    return Snapshot{d.game, d.input, d.held, d.played.size()};
}

void restoreGame(const Snapshot& s)
{
    Drive& d = drive();
    d.game = s.game;
    d.input = s.input;
    d.held = s.held;
    d.played.resize(s.played);
}

void playTick(const Keys& keys)
{
    Drive& d = drive();
    const Keys& held = d.held;
    // Releases before presses, in the order the script will list them.
    changeAxis(d, true, held.x, keys.x == held.x ? held.x : 0);
    changeAxis(d, false, held.z, keys.z == held.z ? held.z : 0);
    if (held.jump && !keys.jump) releaseKey(d.input, keyEnter);
    changeAxis(d, true, keys.x == held.x ? keys.x : 0, keys.x);
    changeAxis(d, false, keys.z == held.z ? keys.z : 0, keys.z);
    if (!held.jump && keys.jump) pressKey(d.input, d.game.camera, keyEnter);
    d.held = keys;
    d.played.push_back(keys);
    advanceTick(d.game, d.input.controls);
}

const std::vector<Keys>& playedTicks()
{
    return drive().played;
}

Vec3 ballCentre()
{
    const Ball& b = drive().game.ball;
    return Vec3{b.position.x, b.position.y + b.radius, b.position.z};
}

bool finished()
{
    return drive().game.gameState == EndScreen;
}

BlockNow blockNow(size_t index)
{
    const BlockState& state = game().courseState.blocks[index];
    return {state.position, state.velocity, game().course->blocks[index].size};
}
