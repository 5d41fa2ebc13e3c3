#pragma once

// One frame of the running game, ending with a buffer swap.
void drawScene();

// The camera's turn without its move to the ball, on the current matrix:
// the chase offset (unless first-person), the quarter turns, the yaw and the
// pitch about the turned horizontal axis. The scene and the sky box share it
// so that the sky turns exactly with the course.
void applyViewRotation();
