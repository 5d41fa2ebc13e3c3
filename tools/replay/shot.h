#pragma once

#include <string>

#include "render/graphics.h"
#include "sim/game.h"

// The offscreen window, framebuffer and pictures, made at the first shot.
struct Shots {
    bool tried = false;
    bool ready = false;
    unsigned int framebuffer = 0;
    Graphics graphics;
};

// Draws the game (the scene, or the end picture after the goal) into an
// offscreen 1280x1024 framebuffer and writes it as a PNG. Needs an X
// display. Returns what went wrong (with the reason), or an empty string.
// A ghost's ball, when given, is drawn see-through over the scene.
std::string takeShot(Shots& shots, const Game& game, const Ball* ghost, const char* path);
