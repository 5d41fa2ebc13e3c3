#pragma once
// The camera's turn, shared by the scene and the sky box so that the sky
// turns exactly with the course.

#include "sim/game.h"

// The turn without the move to the ball, on the current matrix: the chase
// offset (unless first-person), the quarter turns, the yaw and the pitch
// about the turned horizontal axis.
void applyViewRotation(const Camera& camera);

// The perspective for a view of this size: 45 degrees up and down, far
// plane 200. The chase view's near plane is at 1; the ball's own view looks
// out from the ball's centre, and its near plane lies closer than any top,
// wall or underside the ball can touch, so none of them is ever cut open.
// Leaves the projection matrix selected. A height of 0 counts as 1.
void loadProjection(bool firstPersonView, int width, int height);
