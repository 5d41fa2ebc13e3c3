// skycourse: the game. Start-up, then GLUT's loop: a timer runs the 25 ms
// ticks that the wall clock says are due and plays what happened, the display
// callback draws and shows the frame, the input callbacks turn keys and the
// mouse into controls. With --watch the ticks take their input from a script
// instead; with --record every input and tick is written down as it happens.

#include <GL/freeglut.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "app/best_times.h"
#include "app/key_codes.h"
#include "app/media_folder.h"
#include "app/player_files.h"
#include "app/printable.h"
#include "app/reactions.h"
#include "app/rows.h"
#include "app/session.h"
#include "app/signals.h"
#include "app/standard_streams.h"
#include "app/watching.h"

namespace {

// How often the loop looks for a signal that asked the game to end.
constexpr unsigned int signalPollMilliseconds = 50;

// GLUT callbacks take no argument; this is how they reach the session.
Session* session = nullptr;

std::string timesFilePath()
{
    const std::string folder = playerDataFolder();
    return folder.empty() ? "" : folder + "/times.json";
}

double wallClockMs()
{
    return glutGet(GLUT_ELAPSED_TIME);
}

// One tick of game time with its sounds, its row and its recording. False,
// having changed nothing, once the end screen is up.
bool playTick(Session& s)
{
    const GameTick tick = advancePlay(s.play);
    if (tick.ticked) {
        noteRunTick(s.race.script);
        raceTick(s.race, s.play.game);
    }
    playEvents(s.show.sounds, s.play.game.events);
    if (tick.goalReached) {
        // Beside its time: the run as best.replay when it is a new best, its
        // stretches among the fastest.
        const std::string times = watching(s) ? "" : timesFilePath();
        std::vector<int64_t> fastest;
        const std::string folder = playerDataFolder();
        const RunFinished finished =
            finishRun(s.play.game, times, keptBeside(folder, s.race.script, s.race.marks, fastest));
        s.show.runLine = finished.line;
        if (!finished.problem.empty()) std::fprintf(stderr, "skycourse: %s\n", finished.problem.c_str());
        finishRace(s.race, finished.newBest, fastest);
    }
    ++s.traces.tickNumber;
    if (s.traces.rows) {
        std::fputs(formatRow(s.traces.tickNumber, s.play.game).c_str(), s.traces.rows);
        std::fflush(s.traces.rows);
    }
    recordTick(s.traces.recording);
    return tick.ticked;
}

// The ticks of one timer call while watching; false once the script is
// over or the end screen is up.
bool playWatchedTicks(Session& s)
{
    for (int i = 0; i < s.settings.options.speed; ++i) {
        if (!nextWatchedTick(s.watch, s.play.input, s.play.game) || !playTick(s)) return false;
    }
    return true;
}

void onTimer(int)
{
    // Each tick of the clock is one tick of the game, or `speed` ticks of a
    // watched script. Once the end screen is up (or the watched script is
    // over) the tick chain stops until a restart.
    Session& s = *session;
    if (!watching(s)) {
        for (int presses = pauseKeyPresses(s.devices.pauseKey); presses > 0; --presses) {
            followKey(s, pressAction(s.play, Action::Pause));
        }
        followGamepad(s);
    }
    const int owed = playDueTicks(s.loop, s.play, wallClockMs(),
                                  [&s] { return watching(s) ? playWatchedTicks(s) : playTick(s); });
    if (owed > 0) glutPostRedisplay();
    if (s.loop.running) scheduleTicks(s);
}

void onSignalPoll(int)
{
    if (const int signal = quitSignal()) exitGame(*session, signal);
    glutTimerFunc(signalPollMilliseconds, onSignalPoll, 0);
}

void onClose()
{
    // freeglut closes its windows once more on the way out of exit().
    if (!session->ending) exitGame(*session, 0);
}

void onDisplay()
{
    showFrame(session->play, session->race, session->show.graphics, session->devices.window,
              session->show.runLine);
    if (session->hooks.slowFrameMs > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(session->hooks.slowFrameMs));
    }
}

void onReshape(int width, int height)
{
    reshapeWindow(session->devices.window, width, height);
}

void onKeyDown(unsigned char key, int, int)
{
    Session& s = *session;
    if (s.hooks.slowFrameMs > 0) {
        std::printf("skycourse: %lld ticks\n", s.loop.clock.ticksRun);
        std::fflush(stdout);
    }
    if (watching(s)) {
        if (key == keyEscape) exitGame(s, 0);
        return;
    }
    followKey(s, pressPlayKey(s.play, s.settings.bindings, {false, key}, 0));
}

void onKeyUp(unsigned char key, int, int)
{
    if (watching(*session)) return;
    followKey(*session, releasePlayKey(session->play, session->settings.bindings, {false, key}));
}

void onSpecialDown(int key, int, int)
{
    if (watching(*session)) return;
    followKey(*session, pressPlayKey(session->play, session->settings.bindings, {true, key}, glutGetModifiers()));
}

void onSpecialUp(int key, int, int)
{
    if (watching(*session)) return;
    followKey(*session, releasePlayKey(session->play, session->settings.bindings, {true, key}));
}

void onMouseMove(int x, int y)
{
    Session& s = *session;
    const WindowSize& window = s.devices.window;
    if (followPointer(s, x, y, window.width, window.height) && !s.devices.pointerFree) {
        glutWarpPointer(window.width / 2, window.height / 2);
    }
}

// The files to write, made before any window opens: the recording and the
// row trace. Empty when all is well.
std::string openOutputFiles(Session& s)
{
    const std::string& recordPath = s.settings.options.recordPath;
    if (!recordPath.empty()) {
        std::string problem;
        const std::string path = recordingPath(recordPath, problem);
        if (path.empty()) return "skycourse: " + problem;
        problem = startRecording(s.traces.recording, path);
        if (!problem.empty()) return problem;
    }
    if (const char* rows = std::getenv("SKYCOURSE_ROWS"); rows && *rows) {
        s.traces.rows = std::fopen(rows, "w");
        if (!s.traces.rows) {
            return std::string("skycourse: cannot write SKYCOURSE_ROWS=") + printable(rows) + ": " + std::strerror(errno);
        }
        std::fprintf(s.traces.rows, "%s\n", rowHeader);
    }
    return "";
}

}  // namespace

void exitGame(Session& s, int signal)
{
    s.ending = true;
    releaseSound(s.show.sounds);
    stopGamepads(s.devices.pad);
    stopListeningForPauseKey(s.devices.pauseKey);
    if (s.devices.gameModeActive) {
        glutLeaveGameMode();
        s.devices.gameModeActive = false;
    }
    finishRecording(s.traces.recording);
    if (s.traces.rows) std::fclose(std::exchange(s.traces.rows, nullptr));
    if (signal != 0) endBySignal(signal);
    std::exit(0);
}

void scheduleTicks(Session& s)
{
    glutTimerFunc(millisecondsToNextTick(s.loop.clock, wallClockMs()), onTimer, 0);
}

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
    const std::string wrong = parseOptions(argc, argv, running.settings.options);
    if (!wrong.empty()) return refuse("skycourse: " + wrong);
    if (running.settings.options.help) {
        std::fputs(helpText, stdout);
        return 0;
    }
    // A keys.conf that is not right costs the player nothing but its bad
    // lines, each named once.
    if (const std::string folder = playerConfigFolder(); !folder.empty()) {
        const std::string path = folder + "/keys.conf";
        std::vector<std::string> problems;
        running.settings.bindings = loadKeyBindings(path, problems);
        for (const std::string& problem : problems) {
            std::fprintf(stderr, "skycourse: %s: %s\n", printable(path).c_str(), problem.c_str());
        }
    }
    if (running.settings.options.printKeys) {
        std::fputs(describeBindings(running.settings.bindings).c_str(), stdout);
        return 0;
    }

    // A script that does not parse is the player's to fix, display or not.
    if (watching(running)) {
        const std::string problem = loadWatch(running.watch, watchPath(running.settings.options.watchPath));
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
    if (const char* slow = std::getenv("SKYCOURSE_TEST_SLOW_FRAME_MS")) running.hooks.slowFrameMs = std::atoi(slow);
    const unsigned int seed = unsigned(std::time(nullptr));
    // From here on a signal must not end the game in the switched mode.
    catchQuitSignals();
    if (running.settings.options.windowed) {
        openOrdinaryWindow(running.settings.options.windowWidth, running.settings.options.windowHeight);
        running.devices.pointerFree = true;
    } else {
        running.devices.gameModeActive = openGameWindow();
    }

    // A watched script plays from the game every script starts from.
    running.play = startPlay(watching(running) ? newScriptGame() : newGame(seed));
    running.show.graphics = initGraphics(*running.play.game.course, running.settings.options.shaderRenderer
                                                                       ? Renderer::Shaders
                                                                       : Renderer::Classic);
    std::string ghostProblem;
    std::optional<Ghost> ghost =
        loadRaceGhost(running.settings.options.ghostPath, watching(running), ghostProblem);
    if (!ghostProblem.empty()) std::fprintf(stderr, "skycourse: %s; playing without a ghost\n", ghostProblem.c_str());
    running.race = startRace(std::move(ghost), !running.settings.options.ghostPath.empty(), *running.play.game.course);
    initSound(running.show.sounds);
    setSoundVolume(running.show.sounds, float(running.settings.options.volume) / 100.0f);
    if (running.settings.options.mute) switchMute(running.show.sounds);
    startBackgroundMusic(running.show.sounds);
    if (!watching(running)) {
        startGamepads();
        listenForPauseKey(running.devices.pauseKey, currentGlWindow());
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

    startTickLoop(running.loop, wallClockMs());
    scheduleTicks(running);
    glutTimerFunc(signalPollMilliseconds, onSignalPoll, 0);
    glutMainLoop();
    return 0;
}
