#pragma once
// One value holds a whole game: the course as it moves, the ball, the items,
// the camera and the clocks. advanceTick is the only thing that moves it on,
// with nothing but the game and the player's controls: copying a Game is a
// snapshot, and two games never touch each other.

#include <cstdint>

#include "sim/ball.h"
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
    Course course;
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
    Random random;
    // This tick's events, oldest first; emptied at the start of every tick.
    GameEvents events;

    bool operator==(const Game&) const = default;
};

// The course built, the ball on the pad; `seed` starts the item pulses.
Game newGame(unsigned int seed);

// One tick of game time over every object, in the game's fixed order.
// Returns false, having done nothing, once the game is on the end screen.
bool advanceTick(Game& game, const Controls& controls);
