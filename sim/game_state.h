#pragma once
// State shared between the input callbacks, the simulation and the draws.

#include <cstdint>

enum GameState : int32_t { Playing = 0, EndScreen = 1 };

// Set to EndScreen by the goal test; never goes back.
extern GameState gameState;

// Move flags, a ring indexed 0 forward, 1 right, 2 back, 3 left.
extern bool moveForward;
extern bool moveRight;
extern bool moveBack;
extern bool moveLeft;
extern bool jumpHeld;

// Camera: quarter turns, then yaw (0..360 degrees), then pitch (-90..90).
extern int32_t viewQuadrant;
extern float cameraYaw;
extern float cameraPitch;
extern bool firstPersonView;
