#pragma once
// One value holds a whole game: the course it plays and how that course has
// moved, the ball, the items, the camera and the clocks. advanceTick is the
// only thing that moves it on, with nothing but the game and the player's
// controls: copying a Game is a snapshot, and two games never touch each
// other. The course itself never changes, so games share it.

#include <cstdint>
#include <memory>

#include "sim/ball.h"
#include "sim/block_grid.h"
#include "sim/course_state.h"
#include "sim/events.h"
#include "sim/random.h"
#include "world/world.h"

// Set to EndScreen by the goal test; never goes back.
enum GameState : int32_t { Playing = 0, EndScreen = 1 };

// What the player holds down, as the tick reads it. The move flags are in
// the view's frame, already turned by the quarter turns at the key press.
struct Controls {
    bool moveForward = false;
    bool moveRight = false;
    bool moveBack = false;
    bool moveLeft = false;
    bool jumpHeld = false;

    bool operator==(const Controls&) const = default;
};

// Quarter turns, then yaw (0..360 degrees), then pitch (-90..90).
struct Camera {
    int32_t viewQuadrant = 0;
    float cameraYaw = 0.0f;
    float cameraPitch = 0.0f;
    bool firstPersonView = false;

    bool operator==(const Camera&) const = default;
};

struct Game {
    std::shared_ptr<const Course> course = std::make_shared<Course>();
    // Which blocks are near where, made once for the course and shared by
    // every game of it; without one (a game put together by hand) the ball
    // asks every block, to the same effect.
    std::shared_ptr<const BlockGrid> blockGrid;
    CourseState courseState;    // one entry per block, orb and checkpoint of the course
    Ball ball;
    bool airborne = false;
    // Where a fall brings the ball back, and at what size.
    Vec3 checkpointPosition{7.0f, 0.5f, 0.0f};
    float checkpointRadius = normalBallRadius;
    bool fallSoundPlayed = false;
    float goalAngle = 0.0f;
    float goalStepTimer = 0.0f;
    GameState gameState = Playing;
    // Ticks run while playing: the run's time on the timer and in the best times.
    int32_t ticksPlayed = 0;
    Camera camera;
    // What the item pulses' numbers started from, and the numbers since.
    unsigned int seed = 1;
    Random random;
    // This tick's events, oldest first; emptied at the start of every tick.
    GameEvents events;

    // The same course (the same one, or an equal one) and the same state.
    bool operator==(const Game& other) const;
};

// The built-in course, built for this game, the ball on the pad; `seed`
// starts the item pulses. (A game that shares one course with others takes
// it in newGame's other form.)
Game newGame(unsigned int seed);

// A game of this course at its start: the ball at the course's start.
Game newGame(std::shared_ptr<const Course> course, unsigned int seed);
// The same for the course of a grid made already (another game's): the
// grid is shared, not made again.
Game newGame(std::shared_ptr<const BlockGrid> grid, unsigned int seed);
// One tick of game time over every object, in the game's fixed order.
// Returns false, having done nothing, once the game is on the end screen.
bool advanceTick(Game& game, const Controls& controls);
// The same tick for a game played in step with `leader`, which has just run
// the tick this game is about to run. Blocks move by the clock alone: two
// games of the same course that have played as many ticks have their blocks
// in the same places, so when that holds they are copied from the leader
// instead of moved again (the ghost beside the player's game). The item
// pulses go by the clock and the seed alone: a game started from the
// leader's seed takes the leader's pulses as well.
bool advanceTickBeside(Game& game, const Controls& controls, const Game& leader);
