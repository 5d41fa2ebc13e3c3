#pragma once
// The running game as the desktop front end holds it, in parts by what they
// are for. GLUT's callbacks take no argument, so main.cpp keeps the one
// Session and hands it to everything it calls.

#include <cstdio>
#include <string>

#include "app/audio.h"
#include "app/gamepad.h"
#include "app/key_bindings.h"
#include "app/options.h"
#include "app/pause_key.h"
#include "app/play.h"
#include "app/race.h"
#include "app/recording.h"
#include "app/script_player.h"
#include "app/tick_loop.h"
#include "app/window.h"
#include "render/graphics.h"

// What the player asked for: the command line and keys.conf.
struct Settings {
    Options options;
    KeyBindings bindings;
};

// The window and the devices beside the keyboard.
struct Devices {
    WindowSize window;
    bool gameModeActive = false;
    // In an ordinary window the pointer is the player's own while mouse
    // look is off: shown, and not held at the centre.
    bool pointerFree = false;
    Gamepad pad;
    PauseKey pauseKey;
};

// What is seen and heard beside the game itself.
struct Show {
    Graphics graphics;
    GameSounds sounds;
    bool musicSoft = false;  // as the pause left it
    std::string runLine;     // the run's time, for the end screen with the timer on
};

// What is written down as the game goes: the recording and the row trace.
struct Traces {
    Recording recording;
    std::FILE* rows = nullptr;  // SKYCOURSE_ROWS
    long long tickNumber = 0;   // of the last row
};

// For tests only (SKYCOURSE_TEST_SLOW_FRAME_MS): every frame takes this much
// longer, as on a slow machine, and every key press prints the ticks run so
// far, so that a test can count them against its own clock.
struct TestHooks {
    int slowFrameMs = 0;
};

struct Session {
    Settings settings;
    Play play;
    Race race;           // the ghost beside the run, the run's marks and script
    ScriptPlayer watch;  // --watch: the script that plays instead of the keys
    TickLoop loop;
    Devices devices;
    Show show;
    Traces traces;
    TestHooks hooks;
    bool ending = false;
};

inline bool watching(const Session& session)
{
    return !session.settings.options.watchPath.empty();
}

// Esc, a closed window or a caught signal: release the sound system, hand
// the desktop its own resolution back, keep the recording, then exit 0 or
// end by the signal.
[[noreturn]] void exitGame(Session& session, int signal);

// The timer's next call, once the loop is running.
void scheduleTicks(Session& session);
