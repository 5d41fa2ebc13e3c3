#pragma once
// Drives the game's own simulation in-process, as the replay tool does, and
// lets a planner save the whole game and go back to it to try another way.

#include <vector>

#include "sim/ball.h"
#include "tools/autopilot/keys.h"
#include "world/world.h"

// Everything a tick reads or writes, plus the keys held and played so far.
struct Snapshot {
    Ball ball;
    std::vector<Block> blocks;
    std::vector<SizeOrb> orbs;
    std::vector<Checkpoint> checkpoints;
    bool airborne;
    Vec3 checkpointPosition;
    float checkpointRadius;
    bool fallSoundPlayed;
    int gameState;
    bool moves[4];
    bool jumpHeld;
    float goalAngle;
    float goalStepTimer;
    Keys held;
    size_t played;
};

// Sets the game up exactly as skycourse-replay does at start: headless GL,
// stand-in texture numbers, srand(1), the course. False without GL.
bool startGame();

Snapshot saveGame();
void restoreGame(const Snapshot& snapshot);

// One tick with `keys` held (pressed and released through the game's own
// input callbacks); appended to the played ticks.
void playTick(const Keys& keys);

// The keys of every tick played since the start.
const std::vector<Keys>& playedTicks();

Vec3 ballCentre();
bool finished();
