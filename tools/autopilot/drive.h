#pragma once
// Drives the game's own simulation in-process, as the replay tool does, and
// lets a planner save the whole game and go back to it to try another way.

#include <vector>

#include "app/files/course_library.h"
#include "app/input/input.h"
#include "sim/game.h"
#include "tools/autopilot/keys.h"

// The game as driven so far: its state, the input given, the keys held and
// the ticks played. Saving is a copy; going back truncates the played ticks.
struct Snapshot {
    Game game;
    Input input;
    Keys held;
    size_t played;
};

// Starts the game exactly as skycourse-replay does: on the built-in course,
// or on `course` as a script whose first line names it.
void startGame();
void startGame(const FoundCourse& course);

// The game being driven.
const Game& game();

Snapshot saveGame();
void restoreGame(const Snapshot& snapshot);

// One tick with `keys` held (pressed and released through the game's own
// input translation); appended to the played ticks.
void playTick(const Keys& keys);

// The keys of every tick played since the start.
const std::vector<Keys>& playedTicks();

// A block of the course as it is now, its place and motion followed as the
// game plays on (a saved game put back keeps them in the same place).
struct BlockNow {
    const Vec3& position;
    const Vec3& velocity;
    const Vec3& size;
};
BlockNow blockNow(size_t index);

Vec3 ballCentre();
bool finished();
