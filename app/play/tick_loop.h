#pragma once
// The ticks-due loop with no window library: each call plays the ticks the
// wall clock says are due since the last, at most mostTicksPerCallback, none
// while paused, and stops for good once a tick has nothing left to play (the
// end screen, or a watched script's end) until a restart starts it again.
// The desktop game calls it from its GLUT timer; any other front end calls
// it once a frame.

#include <functional>

#include "app/play/play.h"
#include "app/play/tick_clock.h"

struct TickLoop {
    TickClock clock;
    bool running = false;
};

void startTickLoop(TickLoop& loop, double nowMs);

// One tick played by the caller: the game advanced, its sounds and rows.
// False when there was nothing left to play: the loop then stops.
using PlayTick = std::function<bool()>;

// The ticks due by nowMs played through `playTick`; how many the clock had
// owed (paused ones among them), so the caller knows whether to draw again.
int playDueTicks(TickLoop& loop, const Play& play, double nowMs, const PlayTick& playTick);

// Backspace: the loop runs again if it had stopped. True when it was started
// anew, so that the caller schedules its next call.
bool restartTickLoop(TickLoop& loop, double nowMs);

// The tick of the game as the player plays it: advanced with the held
// controls. False once the end screen is up. `goalReached` tells the tick
// that reached the ring.
struct GameTick {
    bool ticked = false;
    bool goalReached = false;
};
GameTick advancePlay(Play& play);
