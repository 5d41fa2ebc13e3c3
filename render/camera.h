#pragma once
// The camera's turn, shared by the scene and the sky box so that the sky
// turns exactly with the course.

#include "sim/game.h"

// The turn without the move to the ball, on the current matrix: the chase
// offset (unless first-person), the quarter turns, the yaw and the pitch
// about the turned horizontal axis.
void applyViewRotation(const Camera& camera);
