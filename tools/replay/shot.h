#pragma once

// Draws the current state (the scene, or the end picture after the goal)
// into an offscreen 1280x1024 framebuffer and writes it as a PNG. Needs an X
// display; returns false with one line on stderr when it cannot.
bool takeShot(const char* path);
