#include "tools/autopilot/drive.h"

#include <GL/freeglut.h>


#include "app/input.h"
#include "app/tick.h"
#include "sim/game_state.h"
#include "sim/items.h"
#include "tools/headless/headless_game.h"

namespace {

Keys heldKeys;
std::vector<Keys> ticksPlayed;

int noModifiers()
{
    return 0;
}

int arrowKey(bool xAxis, int sign)
{
    if (xAxis) return sign > 0 ? GLUT_KEY_RIGHT : GLUT_KEY_LEFT;
    return sign > 0 ? GLUT_KEY_DOWN : GLUT_KEY_UP;
}

void changeAxis(bool xAxis, int from, int to)
{
    if (from == to) return;
    if (from != 0) onSpecialUp(arrowKey(xAxis, from), 0, 0);
    if (to != 0) onSpecialDown(arrowKey(xAxis, to), 0, 0);
}

template <typename T>
std::vector<T> copyAll(const std::vector<T*>& list)
{
    std::vector<T> out;
    out.reserve(list.size());
    for (const T* item : list) out.push_back(*item);
    return out;
}

template <typename T>
void putBack(const std::vector<T>& saved, std::vector<T*>& list)
{
    for (size_t i = 0; i < list.size(); ++i) *list[i] = saved[i];
}

} // namespace

bool startGame()
{
    return startHeadlessGame(noModifiers);
}

Snapshot saveGame()
{
    return Snapshot{*ball,           copyAll(blocks),
                    copyAll(sizeOrbs), copyAll(checkpoints),
                    airborne,        checkpointPosition,
                    checkpointRadius, fallSoundPlayed,
                    static_cast<int>(gameState), {moveForward, moveRight, moveBack, moveLeft},
                    jumpHeld,        goalAngle,
                    goalStepTimer,   heldKeys,
                    ticksPlayed.size()};
}

void restoreGame(const Snapshot& s)
{
    *ball = s.ball;
    putBack(s.blocks, blocks);
    putBack(s.orbs, sizeOrbs);
    putBack(s.checkpoints, checkpoints);
    airborne = s.airborne;
    checkpointPosition = s.checkpointPosition;
    checkpointRadius = s.checkpointRadius;
    fallSoundPlayed = s.fallSoundPlayed;
    gameState = static_cast<GameState>(s.gameState);
    moveForward = s.moves[0];
    moveRight = s.moves[1];
    moveBack = s.moves[2];
    moveLeft = s.moves[3];
    jumpHeld = s.jumpHeld;
    goalAngle = s.goalAngle;
    goalStepTimer = s.goalStepTimer;
    heldKeys = s.held;
    ticksPlayed.resize(s.played);
}

void playTick(const Keys& keys)
{
    // Releases before presses, in the order the script will list them.
    changeAxis(true, heldKeys.x, keys.x == heldKeys.x ? heldKeys.x : 0);
    changeAxis(false, heldKeys.z, keys.z == heldKeys.z ? heldKeys.z : 0);
    if (heldKeys.jump && !keys.jump) onKeyUp(13, 0, 0);
    changeAxis(true, keys.x == heldKeys.x ? keys.x : 0, keys.x);
    changeAxis(false, keys.z == heldKeys.z ? keys.z : 0, keys.z);
    if (!heldKeys.jump && keys.jump) onKeyDown(13, 0, 0);
    heldKeys = keys;
    ticksPlayed.push_back(keys);
    advanceTick();
}

const std::vector<Keys>& playedTicks()
{
    return ticksPlayed;
}

Vec3 ballCentre()
{
    return Vec3{ball->position.x, ball->position.y + ball->radius, ball->position.z};
}

bool finished()
{
    return gameState == EndScreen;
}
