#pragma once
// What happened during a tick that a player should hear: the simulation
// appends these, the caller turns them into sound.

#include <vector>

#include "world/world.h"

enum class EventKind {
    Jump,
    Landing,          // on a static top; material and speed say what it hit
    Fall,             // dropped below the course
    Shrink,
    Grow,
    CheckpointSaved,
    GoalReached,
};

struct GameEvent {
    EventKind kind;
    Material material = Material::None;  // Landing only
    float speed = 0.0f;                  // Landing only: downward speed at impact

    bool operator==(const GameEvent&) const = default;
};

using GameEvents = std::vector<GameEvent>;
