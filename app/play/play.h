#pragma once
// The game as the player drives it: the Game and the held input, with what
// lives around the simulation and never in it: the pause, the way back to
// the start, the timer's display. A key goes through here before it reaches
// app/input.cpp, so the game, the tests and a recording see one path.

#include "app/input/key_bindings.h"
#include "app/script/script.h"
#include "app/play/tick_clock.h"
#include "sim/game.h"

struct Play {
    Game game;
    Game start;  // the game as at start-up: Backspace goes back to it
    Input input;
    ScriptScreen screen;
    bool paused = false;
    bool timerShown = false;  // off at the start, so the picture is the usual one
    bool ghostShown = true;   // the best run's ball, where there is one
};

Play startPlay(const Game& game);

// The game and the held input as at start-up; the pause is lifted, the
// timer's display stays as the player set it.
void restartPlay(Play& play);

// What a key did, for the caller: the script line to record (the default
// key it stood for, or `restart`), mute, or quit.
struct KeyOutcome {
    bool record = false;
    ScriptCommand command;
    bool mute = false;
    bool quit = false;
};

// A key pressed or released, an ASCII key or a GLUT special key with the
// modifier bits held. While paused, presses other than Esc and the keys of
// the pause, restart, timer, mute and ghost do nothing; releases still let go.
KeyOutcome pressPlayKey(Play& play, const KeyBindings& bindings, PlayerKey key, int modifiers);
KeyOutcome releasePlayKey(Play& play, const KeyBindings& bindings, PlayerKey key);
// An action from a bound key or the gamepad, by the same rules.
KeyOutcome pressAction(Play& play, Action action);
KeyOutcome releaseAction(Play& play, Action action);

// A pointer move to (x, y) of a screen this size, from the mouse or the
// pad's right stick. While paused the view stays as it is.
struct PointerOutcome {
    bool record = false;  // it turned or tilted the view: a recording keeps it
    bool warp = false;    // the pointer goes back to the centre
};
PointerOutcome movePlayPointer(Play& play, int x, int y, int width, int height);

// The ticks a timer call plays: those the clock owes, none while paused.
// Paused ticks are taken from the clock all the same, so going on later
// does not make up for them.
int takeTicksToPlay(const Play& play, TickClock& clock, double nowMs);
