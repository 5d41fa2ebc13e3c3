#pragma once
// What a frame shows of the game as the player drives it: the scene or the
// end picture, and over it the pause sign and the timer's line. The desktop
// window and the browser page draw the same frame from it.

#include <string>

#include "app/play/play.h"
#include "app/race/race.h"
#include "render/frame.h"

// The timer's line: game time and the checkpoints taken.
std::string timerLine(const Game& game);

// The frame's input at this size. Over the scene the pause sign, and with
// the timer on the game time and checkpoints (and for a few seconds after a
// checkpoint the split against the best run), or on the end picture
// `runLine` (the run's time) and the race's last split. With a race, its
// ghost ball where shown. It points into `play` and `race`.
// Split times only when `splitsShown`; no pause sign under an open menu.
FrameInput frameInputOf(const Play& play, const Race* race, int width, int height, const std::string& runLine,
                        bool splitsShown = true, bool menuOpen = false);
