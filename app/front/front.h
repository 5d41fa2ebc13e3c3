#pragma once
// The one front of the game, for every shell: it owns a run (the play, the
// race against the best run, the recording, a watched script, the tick
// loop, the run's finish with its best times and best run) and answers the
// player's actions. A shell (the desktop's GLUT window, the browser's page)
// turns its events into these calls and carries out what the front asks of
// it: sounds, the pointer, a line to show, the way out. Nothing here knows a
// window, a page, GL or a clock: the shell passes the time in.

#include <functional>
#include <optional>
#include <string>

#include "app/files/course_library.h"
#include "app/input/key_bindings.h"
#include "app/input/pad.h"
#include "app/menu/hud_signs.h"
#include "app/menu/menu.h"
#include "app/menu/settings.h"
#include "app/play/play.h"
#include "app/play/tick_loop.h"
#include "app/race/race.h"
#include "app/script/recording.h"
#include "app/script/script_player.h"
#include "render/frame.h"
#include "sim/events.h"

// What the shell is asked to do, gathered since it last took them.
struct FrontAsks {
    GameEvents events;                     // to be heard, oldest first, of every tick played
    bool redraw = false;                   // something on screen changed
    bool quit = false;                     // Esc: the game ends
    bool toggleMute = false;
    std::optional<bool> musicSoft;         // softer while paused, as usual again after
    bool restartMusic = false;             // a restart: the music from its start
    bool ticksRestarted = false;           // the tick loop had stopped and runs again
    std::optional<bool> pointerCaptured;   // mouse look on: take the pointer; off: give it back
    std::string line;                      // for the player: stderr, or the page's line
    bool filesWritten = false;             // the player's files changed (the page stores them)
    std::optional<PlayerSettings> settings;  // changed in the menu: the shell's part to apply
    bool courseChanged = false;            // another course is played: the shell draws its meshes
};

// What the command line gave for this run: it wins over settings.conf, and
// is not written to it unless the player changes it in the menu.
struct GivenSettings {
    std::optional<bool> mute;
    std::optional<RendererChoice> renderer;
    std::optional<GraphicsChoice> graphics;
    std::optional<bool> fullScreen;
};

// The wall clock in milliseconds, as the shell reads it.
using WallClock = std::function<double()>;

struct Front {
    WallClock now;                // for a restart, which starts the ticks again
    FoundCourse course;           // the course played
    std::vector<std::string> courseFolders;  // where courses are found
    std::string playerFolder;     // the player's data folder; empty: nothing is kept
    unsigned int seed = 1;        // the item pulses of a course chosen in the menu
    Play play;
    Race race;
    KeyBindings bindings;
    TickLoop loop;
    Recording recording;          // --record, or the page's run
    ScriptPlayer watch;           // a watched script plays instead of the keys
    bool watching = false;
    bool ticking = false;         // the ticks have started
    int speed = 1;                // ticks of a watched script per tick
    std::string dataFolder;       // where this course's best times and best run are kept; empty: nowhere
    std::string runLine;          // the run's time, for the end screen with the timer on
    bool musicSoft = false;
    bool pointerCaptured = false;
    unsigned padInputsHeld = 0;   // the pad's inputs as last read (pad.h's bits)
    unsigned padActionsHeld = 0;  // the actions they hold for the game
    unsigned padMenuHeld = 0;     // inputs pressed in the menu: their releases are the menu's too
    ScriptScreen screen;          // the size pointer moves are given in
    bool keepRows = false;        // the rows of every tick, for a trace or a test
    std::string rows;             // not yet taken by the shell
    long long tickNumber = 0;     // of the last row
    PlayerSettings settings;      // in effect
    PlayerSettings savedSettings; // as settings.conf holds them
    GivenSettings given;
    std::string settingsPath;     // settings.conf; empty: not kept
    std::string keysPath;         // keys.conf; empty: not kept
    Menu menu;                    // closed while playing
    std::vector<PlayerKey> menuKeysHeld;  // pressed in the menu: their releases are the menu's too
    MenuData menuData;            // read when the menu opens
    MenuPicture menuPicture;      // the menu as last drawn
    HudSign sign;                 // a checkpoint, an orb, the ring: said as well as heard
    FrontAsks asks;
};

struct FrontStart {
    WallClock now;
    FoundCourse course;           // --course, or the built-in one (a watched script plays its own)
    unsigned int seed = 1;
    std::vector<std::string> courseFolders;
    KeyBindings bindings;
    std::string dataFolder;       // the player's
    std::string ghostPath;        // --ghost: this script is raced instead of the best run
    bool keepRows = false;
    PlayerSettings settings;      // settings.conf's
    GivenSettings given;
    std::string settingsPath;
    std::string keysPath;
};

// A run from the given start: the best run (or the --ghost file) raced, the
// pointer taken for mouse look. A ghost that cannot be read is a line for
// the player; the game goes on without one.
void startFront(Front& front, FrontStart start);

// A script to watch from the start (before startFront on the desktop, or
// at any time on the page) at `speed` ticks per tick (clamped to
// the speeds a watch has): empty, or the one line naming what is wrong, in
// which case nothing changes. A watched script is no run of the player's:
// the recording ends, and nothing is kept at the end.
std::string frontWatch(Front& front, const std::string& path, int speed);

// Another course played from its start: NAME, from the course folders, or
// FILE. Empty, or the one line saying why not (nothing changes then).
std::string frontCourse(Front& front, const std::string& nameOrFile);

// A script raced as the ghost instead of the best run, as --ghost races
// one: empty, or the one line naming what is wrong (the ghost stays as it
// was).
std::string frontGhost(Front& front, const std::string& path);

// The ticks start (the game's first timer, or the page's first gesture).
void frontStartTicks(Front& front);
// The ticks the clock owes by now, at most four, none while paused.
void frontTicks(Front& front);

// A key pressed or released: an ASCII key or a special key with the
// modifier bits held, through the player's bindings.
void frontKey(Front& front, PlayerKey key, bool down, int modifiers);
// An action from the Pause key, or the page's pause button.
void frontAction(Front& front, Action action, bool down);
// The pad as read now, raw: its changed buttons as actions through the
// player's bindings, its left stick as the four directions, its right stick
// as a pointer move, each past the dead zone of the settings. In the menu
// the d-pad or the stick moves, A takes and B goes back whatever is bound,
// Start always opens and closes it, and while the menu waits for a binding
// the button pressed is the answer.
void frontPad(Front& front, const PadReading& now);
// The pointer at (x, y) of the screen pointer moves are given in; true when
// the shell is to put it back at the centre.
bool frontPointer(Front& front, int x, int y);
// The screen pointer moves are given in (the window, or the page's canvas).
void frontResize(Front& front, int width, int height);
// A click on the game: mouse look on, as its key would, unless paused.
void frontClick(Front& front);
// A click or a tap at (x, y) of the screen pointer moves are given in: true
// when the menu took it.
bool frontTap(Front& front, int x, int y);
// The pause menu is open over the game.
bool menuOpen(const Front& front);
// The shell lost the pointer (the browser's Esc): mouse look is off, even
// while paused.
void frontPointerLost(Front& front);

// What the shell is asked to do since it last asked; cleared.
FrontAsks takeAsks(Front& front);
// The rows played since the shell last took them; cleared.
std::string takeRows(Front& front);

// The frame to draw at this size in pixels.
FrameInput frontFrame(Front& front, int width, int height);

// The way out (Esc, a closed window, a signal): the recording moved into place.
void endFront(Front& front);
