#include "app/front/front.h"

#include <utility>

#include "app/front/frame_input.h"
#include "app/input/key_codes.h"
#include "app/race/best_run.h"
#include "app/script/rows.h"
#include "app/script/watching.h"

namespace {

// A tick of game time with its sounds, its row, its recording and the race;
// at the ring, the one end of a run. False, having changed nothing, once
// the end screen is up.
bool playTick(Front& f)
{
    const GameTick tick = advancePlay(f.play);
    if (tick.ticked) {
        noteRunTick(f.race.script);
        raceTick(f.race, f.play.game);
    }
    f.asks.events.insert(f.asks.events.end(), f.play.game.events.begin(), f.play.game.events.end());
    if (tick.goalReached) {
        const std::string folder = f.watching ? "" : f.dataFolder;
        const RunFinished finished = finishRun(f.play.game, folder, f.race.script, f.race.marks);
        f.runLine = finished.line;
        if (!finished.problem.empty()) f.asks.line = "skycourse: " + finished.problem;
        f.asks.filesWritten = !folder.empty();
        finishRace(f.race, finished.newBest, finished.fastest);
    }
    ++f.tickNumber;
    if (f.keepRows) f.rows += formatRow(f.tickNumber, f.play.game);
    recordTick(f.recording);
    return tick.ticked;
}

// The ticks of one tick of the clock while watching; false once the script
// is over or the end screen is up.
bool playWatchedTicks(Front& f)
{
    for (int i = 0; i < f.speed; ++i) {
        if (!nextWatchedTick(f.watch, f.play.input, f.play.game) || !playTick(f)) return false;
    }
    return true;
}

// Mouse look takes the pointer and gives it back.
void followMouseLook(Front& f)
{
    const bool wanted = !f.play.input.mouseLookDisabled;
    if (wanted == f.pointerCaptured) return;
    f.pointerCaptured = wanted;
    f.asks.pointerCaptured = wanted;
}

void followPause(Front& f)
{
    if (f.musicSoft == f.play.paused) return;
    f.musicSoft = f.play.paused;
    f.asks.musicSoft = f.musicSoft;
}

// A restart: the race, the music and the ticks as at start-up too, even
// from the end screen, where the ticks had stopped.
void followRestart(Front& f)
{
    f.runLine.clear();
    restartRace(f.race);
    f.asks.restartMusic = true;
    f.musicSoft = false;
    if (f.ticking && restartTickLoop(f.loop, f.now())) f.asks.ticksRestarted = true;
}

// A key's outcome: written into the recording and the run, heard, or the
// way out.
void followKey(Front& f, const KeyOutcome& outcome)
{
    if (outcome.record) {
        recordInput(f.recording, outcome.command);
        noteRunInput(f.race.script, outcome.command);
    }
    if (outcome.command.kind == ScriptKind::Restart) followRestart(f);
    if (outcome.mute) f.asks.toggleMute = !f.asks.toggleMute;
    if (outcome.quit) f.asks.quit = true;
    followMouseLook(f);
    followPause(f);
    f.asks.redraw = true;
}

// A pointer at (x, y) of a screen this size turns the view, and is written
// down when it did.
bool followPointer(Front& f, int x, int y, int width, int height)
{
    if (f.watching) return false;
    const PointerOutcome outcome = movePlayPointer(f.play, x, y, width, height);
    if (outcome.record) {
        recordPointer(f.recording, x, y, width, height);
        noteRunPointer(f.race.script, x, y, width, height);
        f.asks.redraw = true;
    }
    return outcome.warp;
}

// The mouse-look key pressed and let go, as the player would.
void switchMouseLook(Front& f)
{
    followKey(f, pressAction(f.play, Action::MouseLook));
    followKey(f, releaseAction(f.play, Action::MouseLook));
}

}  // namespace

void startFront(Front& f, FrontStart start)
{
    f.now = std::move(start.now);
    f.play = startPlay(start.game);
    f.bindings = std::move(start.bindings);
    f.dataFolder = std::move(start.dataFolder);
    f.keepRows = start.keepRows;
    f.pointerCaptured = !f.play.input.mouseLookDisabled;
    std::string problem;
    std::optional<Ghost> ghost = loadRaceGhost(start.ghostPath, f.watching, f.dataFolder, problem);
    if (!problem.empty()) f.asks.line = "skycourse: " + problem + "; playing without a ghost";
    f.race = startRace(std::move(ghost), !start.ghostPath.empty(), f.play.game.course);
}

std::string frontWatch(Front& f, const std::string& path, int speed)
{
    ScriptPlayer watch;
    const std::string problem = loadWatch(watch, path);
    if (!problem.empty()) return problem;
    f.watch = std::move(watch);
    f.watching = true;
    finishRecording(f.recording);
    f.speed = speed < slowestWatchSpeed ? slowestWatchSpeed : speed > fastestWatchSpeed ? fastestWatchSpeed : speed;
    f.play = startPlay(newScriptGame());
    // A best run is no ghost for a watched script; a --ghost file still is.
    if (!f.race.ghostFromFile) f.race.ghost.reset();
    f.race.script = {};
    restartRace(f.race);
    f.tickNumber = 0;
    f.rows.clear();
    if (f.ticking) followRestart(f);
    return "";
}

std::string frontGhost(Front& f, const std::string& path)
{
    std::string problem;
    std::optional<Ghost> ghost = loadRaceGhost(path, f.watching, f.dataFolder, problem);
    if (!ghost) return problem;
    f.race.ghost = std::move(ghost);
    f.race.ghostFromFile = true;
    // Raced from the next run on: its first tick starts the ghost too.
    f.asks.redraw = true;
    return "";
}

void frontStartTicks(Front& f)
{
    f.ticking = true;
    startTickLoop(f.loop, f.now());
}

void frontTicks(Front& f)
{
    if (!f.ticking) return;
    const int owed = playDueTicks(f.loop, f.play, f.now(), [&f] { return f.watching ? playWatchedTicks(f) : playTick(f); });
    if (owed > 0) f.asks.redraw = true;
}

void frontKey(Front& f, PlayerKey key, bool down, int modifiers)
{
    if (f.watching) {
        if (down && !key.special && key.code == keyEscape) f.asks.quit = true;
        return;
    }
    followKey(f, down ? pressPlayKey(f.play, f.bindings, key, modifiers) : releasePlayKey(f.play, f.bindings, key));
}

void frontAction(Front& f, Action action, bool down)
{
    if (f.watching) return;
    followKey(f, down ? pressAction(f.play, action) : releaseAction(f.play, action));
}

void frontPad(Front& f, const PadReading& now)
{
    if (f.watching) return;
    for (const PadChange& change : padChanges(f.pad, now)) frontAction(f, change.action, change.down);
    f.pad = now;
    // The right stick moves the pointer about the centre of the screen a
    // script's mouse lines are given in, whatever the window's size.
    const ScriptScreen screen;
    if (now.lookX != 0 || now.lookY != 0) {
        followPointer(f, screen.width / 2 + now.lookX, screen.height / 2 + now.lookY, screen.width, screen.height);
    }
}

bool frontPointer(Front& f, int x, int y)
{
    return followPointer(f, x, y, f.screen.width, f.screen.height);
}

void frontResize(Front& f, int width, int height)
{
    if (width <= 0 || height <= 0) return;
    f.screen.width = width;
    f.screen.height = height;
    f.asks.redraw = true;
}

void frontClick(Front& f)
{
    if (!f.watching && f.play.input.mouseLookDisabled && !f.play.paused) switchMouseLook(f);
}

void frontPointerLost(Front& f)
{
    if (f.watching || f.play.input.mouseLookDisabled) return;
    // The switch must go through even while paused.
    const bool paused = f.play.paused;
    f.play.paused = false;
    const KeyOutcome press = pressAction(f.play, Action::MouseLook);
    const KeyOutcome release = releaseAction(f.play, Action::MouseLook);
    f.play.paused = paused;
    followKey(f, press);
    followKey(f, release);
}

FrontAsks takeAsks(Front& f)
{
    FrontAsks asks = std::move(f.asks);
    f.asks = {};
    f.asks.events.reserve(asks.events.capacity());
    return asks;
}

std::string takeRows(Front& f)
{
    return std::exchange(f.rows, {});
}

FrameInput frontFrame(const Front& f, int width, int height)
{
    return frameInputOf(f.play, &f.race, width, height, f.runLine);
}

void endFront(Front& f)
{
    finishRecording(f.recording);
}
