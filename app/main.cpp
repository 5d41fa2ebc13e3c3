// skycourse: the game. Start-up, then GLUT's loop: a timer runs the 25 ms
// ticks that the wall clock says are due and plays what happened, the display
// callback draws and shows the frame, the input callbacks turn keys and the
// mouse into controls. With --watch the ticks take their input from a script
// instead; with --record every input and tick is written down as it happens.

#include <GL/freeglut.h>

#include <bit>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "app/audio.h"
#include "app/best_times.h"
#include "app/gamepad.h"
#include "app/input.h"
#include "app/key_codes.h"
#include "app/media_folder.h"
#include "app/options.h"
#include "app/pause_key.h"
#include "app/play.h"
#include "app/player_files.h"
#include "app/race.h"
#include "app/recording.h"
#include "app/rows.h"
#include "app/signals.h"
#include "app/standard_streams.h"
#include "app/tick_clock.h"
#include "app/watching.h"
#include "app/window.h"
#include "assets/sound.h"
#include "render/graphics.h"
#include "sim/game.h"
#include "sim/timing.h"

namespace {

// How often the loop looks for a signal that asked the game to end.
constexpr unsigned int signalPollMilliseconds = 50;

// The running program: everything the callbacks share.
struct Session {
    Options options;
    Play play;
    KeyBindings bindings;
    Gamepad pad;
    PauseKey pauseKey;
    WindowSize window;
    bool gameModeActive = false;
    // In an ordinary window the pointer is the player's own while mouse
    // look is off: shown, and not held at the centre.
    bool pointerFree = false;
    Graphics graphics;
    GameSounds sounds;
    TickClock clock;
    // For tests only (SKYCOURSE_TEST_SLOW_FRAME_MS): every frame takes this
    // much longer, as on a slow machine, and every key press prints the
    // ticks run so far, so that a test can count them against its own clock.
    int slowFrameMs = 0;
    Recording recording;
    Race race;
    ScriptPlayer watch;
    std::FILE* rows = nullptr;  // SKYCOURSE_ROWS
    long long tickNumber = 0;
    bool ending = false;
    bool ticking = false;    // the timer chain is running (it stops at the end screen)
    bool musicSoft = false;  // as the pause left it
    std::string runLine;     // the run's time, for the end screen with the timer on
};

// GLUT callbacks take no argument; this is how they reach the session.
Session* session = nullptr;

bool watching()
{
    return !session->options.watchPath.empty();
}

// Esc, a closed window or a caught signal: release the sound system, hand
// the desktop its own resolution back, keep the recording, then exit 0 or
// end by the signal.
[[noreturn]] void exitGame(int signal)
{
    session->ending = true;
    releaseSound(session->sounds);
    stopGamepads(session->pad);
    stopListeningForPauseKey(session->pauseKey);
    if (session->gameModeActive) {
        glutLeaveGameMode();
        session->gameModeActive = false;
    }
    finishRecording(session->recording);
    if (session->rows) std::fclose(std::exchange(session->rows, nullptr));
    if (signal != 0) endBySignal(signal);
    std::exit(0);
}

double wallClockMs()
{
    return glutGet(GLUT_ELAPSED_TIME);
}

// The ring reached: the run's time among the best, unless watching a
// script, which is no run of the player's.
void finishRun()
{
    Session& s = *session;
    const int64_t milliseconds = int64_t(s.play.game.ticksPlayed) * tickMilliseconds;
    s.runLine = "time " + formatRunTime(milliseconds);
    const std::string folder = playerDataFolder();
    if (watching() || folder.empty()) {
        finishRace(s.race, {});
        return;
    }
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char date[32];
    std::strftime(date, sizeof date, "%Y-%m-%d %H:%M", &local);
    const FinishedRun kept = keepFinishedRun(folder, {milliseconds, date}, s.race.script, s.race.marks);
    const RunRecorded& recorded = kept.recorded;
    if (!recorded.problem.empty()) std::fprintf(stderr, "skycourse: %s\n", recorded.problem.c_str());
    if (recorded.newBest) s.runLine += " - a new best!";
    finishRace(s.race, kept);
}

// One tick of game time with its sounds, its row and its recording. False,
// having changed nothing, once the end screen is up.
bool playTick()
{
    Session& s = *session;
    const bool ticked = advanceTick(s.play.game, s.play.input.controls);
    if (ticked) {
        noteRunTick(s.race.script);
        raceTick(s.race, s.play.game);
    }
    playEvents(s.sounds, s.play.game.events);
    for (const GameEvent& event : s.play.game.events) {
        if (event.kind == EventKind::GoalReached) finishRun();
    }
    ++s.tickNumber;
    if (s.rows) {
        std::fputs(formatRow(s.tickNumber, s.play.game).c_str(), s.rows);
        std::fflush(s.rows);
    }
    recordTick(s.recording);
    return ticked;
}

// The ticks of one timer call while watching; false once the script is
// over or the end screen is up.
bool playWatchedTicks()
{
    Session& s = *session;
    for (int i = 0; i < s.options.speed; ++i) {
        if (!nextWatchedTick(s.watch, s.play.input, s.play.game) || !playTick()) return false;
    }
    return true;
}

void followGamepad();
void followKey(const KeyOutcome& outcome);

void onTimer(int)
{
    // Each tick of the clock is one tick of the game, or `speed` ticks of a
    // watched script. Once the end screen is up (or the watched script is
    // over) the tick chain stops for good.
    Session& s = *session;
    if (!watching()) {
        for (int presses = pauseKeyPresses(s.pauseKey); presses > 0; --presses) {
            followKey(pressAction(s.play, Action::Pause));
        }
        followGamepad();
    }
    const int owed = takeTicksToPlay(s.play, s.clock, wallClockMs());
    bool more = true;
    for (int i = 0; i < owed && more; ++i) more = watching() ? playWatchedTicks() : playTick();
    if (owed > 0) glutPostRedisplay();
    s.ticking = more;
    if (!more) return;
    glutTimerFunc(millisecondsToNextTick(s.clock, wallClockMs()), onTimer, 0);
}

void startTicking()
{
    session->clock = startTickClock(wallClockMs());
    session->ticking = true;
    glutTimerFunc(tickMilliseconds, onTimer, 0);
}

// The music softer while paused, as usual again after.
void followPause()
{
    Session& s = *session;
    if (s.musicSoft == s.play.paused) return;
    s.musicSoft = s.play.paused;
    softenMusic(s.sounds, s.musicSoft);
}

// Backspace: the sound and the ticks as at start-up too, even from the end
// screen, where the ticks had stopped.
void followRestart()
{
    Session& s = *session;
    s.runLine.clear();
    restartRace(s.race);
    restartMusic(s.sounds);
    s.musicSoft = false;
    if (!s.ticking) startTicking();
}

void onSignalPoll(int)
{
    if (const int signal = quitSignal()) exitGame(signal);
    glutTimerFunc(signalPollMilliseconds, onSignalPoll, 0);
}

void onClose()
{
    // freeglut closes its windows once more on the way out of exit().
    if (!session->ending) exitGame(0);
}

void onDisplay()
{
    showFrame(session->play, session->race, session->graphics, session->window, session->runLine);
    if (session->slowFrameMs > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(session->slowFrameMs));
    }
}

void onReshape(int width, int height)
{
    reshapeWindow(session->window, width, height);
}

// In an ordinary window, mouse look takes the pointer (hidden, held at the
// centre) and gives it back when switched off.
void followMouseLook()
{
    Session& s = *session;
    if (!s.options.windowed || s.pointerFree == s.play.input.mouseLookDisabled) return;
    s.pointerFree = s.play.input.mouseLookDisabled;
    glutSetCursor(s.pointerFree ? GLUT_CURSOR_INHERIT : GLUT_CURSOR_NONE);
    // From the centre, so that switching it on does not turn the view.
    if (!s.pointerFree) glutWarpPointer(s.window.width / 2, s.window.height / 2);
}

// A key's outcome: written into the recording, heard, or the way out.
void followKey(const KeyOutcome& outcome)
{
    if (outcome.record) {
        recordInput(session->recording, outcome.command);
        noteRunInput(session->race.script, outcome.command);
    }
    if (outcome.command.kind == ScriptKind::Restart) followRestart();
    if (outcome.mute) switchMute(session->sounds);
    if (outcome.quit) exitGame(0);
    followMouseLook();
    followPause();
    glutPostRedisplay();
}

void onKeyDown(unsigned char key, int, int)
{
    if (session->slowFrameMs > 0) {
        std::printf("skycourse: %lld ticks\n", session->clock.ticksRun);
        std::fflush(stdout);
    }
    if (watching()) {
        if (key == keyEscape) exitGame(0);
        return;
    }
    followKey(pressPlayKey(session->play, session->bindings, {false, key}, 0));
}

void onKeyUp(unsigned char key, int, int)
{
    if (watching()) return;
    followKey(releasePlayKey(session->play, session->bindings, {false, key}));
}

void onSpecialDown(int key, int, int)
{
    if (watching()) return;
    followKey(pressPlayKey(session->play, session->bindings, {true, key}, glutGetModifiers()));
}

void onSpecialUp(int key, int, int)
{
    if (watching()) return;
    followKey(releasePlayKey(session->play, session->bindings, {true, key}));
}

bool sameBits(float a, float b)
{
    return std::bit_cast<uint32_t>(a) == std::bit_cast<uint32_t>(b);
}

// The pointer at (x, y) of a screen this size, from the mouse or the pad's
// right stick; true when it is to be put back at the centre.
bool movePointerTo(int x, int y, int width, int height)
{
    // While paused the view stays as it is.
    if (watching() || session->play.paused) return false;
    Session& s = *session;
    Camera& camera = s.play.game.camera;
    const Camera before = camera;
    const PointerWarp warp = movePointer(s.play.input, camera, x, y, width, height);
    // A move only ever turns or tilts the view; one that did neither (mouse
    // look off, our own warp back to the centre) replays as nothing.
    if (!sameBits(before.cameraYaw, camera.cameraYaw) || !sameBits(before.cameraPitch, camera.cameraPitch)) {
        recordPointer(s.recording, x, y, width, height);
        noteRunPointer(s.race.script, x, y, width, height);
    }
    return warp.warp;
}

void onMouseMove(int x, int y)
{
    Session& s = *session;
    if (movePointerTo(x, y, s.window.width, s.window.height) && !s.pointerFree) {
        glutWarpPointer(s.window.width / 2, s.window.height / 2);
    }
}

// The pad's buttons as the keys of their actions, its right stick as the
// mouse on the screen a script's mouse lines are given in.
void followGamepad()
{
    Session& s = *session;
    const PadReading now = readGamepad(s.pad);
    for (const PadChange& change : padChanges(s.pad.last, now)) {
        followKey(change.down ? pressAction(s.play, change.action) : releaseAction(s.play, change.action));
    }
    s.pad.last = now;
    const ScriptScreen screen;
    if (now.lookX != 0 || now.lookY != 0) {
        movePointerTo(screen.width / 2 + now.lookX, screen.height / 2 + now.lookY, screen.width, screen.height);
    }
}

// The ghost raced: --ghost's script, or else the best run (never while
// watching). A file that is not a run is named in one line and the game is
// played without a ghost.
std::optional<Ghost> loadRaceGhost(const Options& options)
{
    Ghost ghost;
    std::string problem;
    bool found = false;
    if (!options.ghostPath.empty()) {
        bool missing = false;
        problem = loadGhost(watchPath(options.ghostPath), ghost, missing);
        found = problem.empty();
    } else if (const std::string folder = playerDataFolder(); options.watchPath.empty() && !folder.empty()) {
        found = loadBestRun(folder, ghost, problem);
    }
    if (!problem.empty()) std::fprintf(stderr, "skycourse: %s; playing without a ghost\n", problem.c_str());
    if (!found) return std::nullopt;
    return ghost;
}

// The files to write, made before any window opens: the recording and the
// row trace. Empty when all is well.
std::string openOutputFiles(Session& s)
{
    if (!s.options.recordPath.empty()) {
        std::string problem;
        const std::string path = recordingPath(s.options.recordPath, problem);
        if (path.empty()) return "skycourse: " + problem;
        problem = startRecording(s.recording, path);
        if (!problem.empty()) return problem;
    }
    if (const char* rows = std::getenv("SKYCOURSE_ROWS"); rows && *rows) {
        s.rows = std::fopen(rows, "w");
        if (!s.rows) return std::string("skycourse: cannot write SKYCOURSE_ROWS=") + rows + ": " + std::strerror(errno);
        std::fprintf(s.rows, "%s\n", rowHeader);
    }
    return "";
}

}  // namespace

int main(int argc, char** argv)
{
    // Before anything opens a file or a connection: with a standard stream
    // closed, it would take that descriptor.
    openClosedStandardDescriptors();
    // A bad command line or file: one line, exit 2, before any window.
    auto refuse = [](const std::string& line) {
        std::fprintf(stderr, "%s\n", line.c_str());
        return 2;
    };
    static Session running;
    session = &running;
    const std::string wrong = parseOptions(argc, argv, running.options);
    if (!wrong.empty()) return refuse("skycourse: " + wrong);
    if (running.options.help) {
        std::fputs(helpText, stdout);
        return 0;
    }
    // A keys.conf that is not right costs the player nothing but its bad
    // lines, each named once.
    if (const std::string folder = playerConfigFolder(); !folder.empty()) {
        const std::string path = folder + "/keys.conf";
        std::vector<std::string> problems;
        running.bindings = loadKeyBindings(path, problems);
        for (const std::string& problem : problems) std::fprintf(stderr, "skycourse: %s: %s\n", path.c_str(), problem.c_str());
    }
    if (running.options.printKeys) {
        std::fputs(describeBindings(running.bindings).c_str(), stdout);
        return 0;
    }

    // A script that does not parse is the player's to fix, display or not.
    if (watching()) {
        const std::string problem = loadWatch(running.watch, watchPath(running.options.watchPath));
        if (!problem.empty()) return refuse(problem);
    }
    if (!startGlut(argc, argv)) {
        std::fprintf(stderr,
                     "skycourse: cannot open the X display (DISPLAY is unset or unreachable); "
                     "start the game from a graphical desktop\n");
        return 1;
    }
    const std::string problem = openOutputFiles(running);
    if (!problem.empty()) return refuse(problem);

    // The media: here, or beside the program when started from elsewhere.
    enterMediaFolder();
    if (const char* slow = std::getenv("SKYCOURSE_TEST_SLOW_FRAME_MS")) running.slowFrameMs = std::atoi(slow);
    const unsigned int seed = unsigned(std::time(nullptr));
    // From here on a signal must not end the game in the switched mode.
    catchQuitSignals();
    if (running.options.windowed) {
        openOrdinaryWindow(running.options.windowWidth, running.options.windowHeight);
        running.pointerFree = true;
    } else {
        running.gameModeActive = openGameWindow();
    }

    // A watched script plays from the game every script starts from.
    running.play = startPlay(watching() ? newScriptGame() : newGame(seed));
    running.graphics = initGraphics(running.play.game.course,
                                    running.options.shaderRenderer ? Renderer::Shaders : Renderer::Classic);
    running.race = startRace(loadRaceGhost(running.options), !running.options.ghostPath.empty(),
                             running.play.game.course);
    initSound(running.sounds);
    setSoundVolume(running.sounds, float(running.options.volume) / 100.0f);
    if (running.options.mute) switchMute(running.sounds);
    startBackgroundMusic(running.sounds);
    if (!watching()) {
        startGamepads();
        listenForPauseKey(running.pauseKey, currentGlWindow());
    }

    glutDisplayFunc(onDisplay);
    glutKeyboardFunc(onKeyDown);
    glutKeyboardUpFunc(onKeyUp);
    glutSpecialFunc(onSpecialDown);
    glutSpecialUpFunc(onSpecialUp);
    glutPassiveMotionFunc(onMouseMove);
    glutReshapeFunc(onReshape);
    // The close button ends the game through onClose, like Esc.
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_CONTINUE_EXECUTION);
    glutCloseFunc(onClose);

    startTicking();
    glutTimerFunc(signalPollMilliseconds, onSignalPoll, 0);
    glutMainLoop();
    return 0;
}
