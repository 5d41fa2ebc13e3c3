#pragma once
// `shot` lines: the game drawn offscreen and written as a PNG. A tool built
// without pictures (SKYCOURSE_REPLAY_SHOTS off) answers every shot with the
// line that says so, and needs no GL, X or window library.

#include <memory>
#include <string>

#include "sim/game.h"

// The offscreen window, framebuffer and pictures, made at the first shot.
struct Shots;

// Draws the game (the scene, or the end picture after the goal) into an
// offscreen 1280x1024 framebuffer and writes it as a PNG. Needs an X
// display. Returns what went wrong (with the reason), or an empty string.
// How the shots are drawn, chosen for the first shot and kept for all after
// it: the shader renderer or the classic one, fast graphics or full.
struct ShotLook {
    bool shaders = false;
    bool fast = false;
};

// A ghost's ball, when given, is drawn see-through over the scene.
std::string takeShot(std::shared_ptr<Shots>& shots, const Game& game, const Ball* ghost, const char* path,
                     ShotLook look);
