#include "sim/game_state.h"

GameState gameState = Playing;

bool moveForward = false;
bool moveRight = false;
bool moveBack = false;
bool moveLeft = false;
bool jumpHeld = false;

int32_t viewQuadrant = 0;
float cameraYaw = 0.0f;
float cameraPitch = 0.0f;
bool firstPersonView = false;
