#pragma once
// What a frame shows of the game as the player drives it: the scene or the
// end picture, and over it the pause sign and the timer's line. The desktop
// window and the browser page draw the same frame from it.

#include <string>

#include "app/play.h"
#include "render/frame.h"

// The timer's line: game time and the checkpoints taken.
std::string timerLine(const Game& game);

// The frame's input at this size. Over the scene the pause sign, and with
// the timer on the game time and checkpoints, or on the end picture
// `runLine` (the run's time). It points into `play`.
FrameInput frameInputOf(const Play& play, int width, int height, const std::string& runLine);
