// skycourse: the game. Start-up, then GLUT's loop: a timer runs the 25 ms
// ticks that the wall clock says are due and plays what happened, the display
// callback draws and shows the frame, the input callbacks turn keys and the
// mouse into controls. With --watch the ticks take their input from a script
// instead; with --record every input and tick is written down as it happens.

#include <GL/freeglut.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <utility>
#include <vector>

#include "app/files/media_folder.h"
#include "app/desktop/session.h"
#include "app/race/course_list.h"
#include "app/desktop/rasterizer_threads.h"
#include "app/desktop/signals.h"
#include "app/files/player_files.h"
#include "app/files/printable.h"
#include "app/files/standard_streams.h"
#include "app/front/audio.h"
#include "app/input/key_codes.h"
#include "app/script/rows.h"

namespace {

// How often the loop looks for a signal that asked the game to end.
constexpr unsigned int signalPollMilliseconds = 50;

Renderer rendererOf(const PlayerSettings& settings)
{
    return settings.renderer == RendererChoice::Shaders ? Renderer::Shaders : Renderer::Classic;
}

// GLUT callbacks take no argument; this is how they reach the session.
Session* session = nullptr;

double wallClockMs()
{
    return glutGet(GLUT_ELAPSED_TIME);
}

void onTimer(int);

void scheduleTicks(Session& s)
{
    glutTimerFunc(millisecondsToNextTick(s.front.loop.clock, wallClockMs()), onTimer, 0);
}

// Esc, a closed window or a caught signal: release the sound system, hand
// the desktop its own resolution back, keep the recording, then exit 0 or
// end by the signal.
[[noreturn]] void exitGame(Session& s, int signal)
{
    s.ending = true;
    releaseSound(s.sounds);
    stopGamepads(s.pad);
    stopListeningForPauseKey(s.pauseKey);
    if (s.gameModeActive) {
        glutLeaveGameMode();
        s.gameModeActive = false;
    }
    endFront(s.front);
    if (s.rows) std::fclose(std::exchange(s.rows, nullptr));
    if (signal != 0) endBySignal(signal);
    std::exit(0);
}

// What the front asked for since the last call, carried out. The timer
// schedules itself while the ticks run; elsewhere ticks started again after
// the end screen need the timer started again.
void carryOut(Session& s, bool fromTimer = false)
{
    const FrontAsks asks = takeAsks(s.front);
    hearAsks(s.sounds, asks);
    if (s.rows) {
        const std::string rows = takeRows(s.front);
        if (!rows.empty()) {
            std::fputs(rows.c_str(), s.rows);
            std::fflush(s.rows);
        }
    }
    if (!asks.line.empty()) std::fprintf(stderr, "%s\n", asks.line.c_str());
    // In an ordinary window, mouse look takes the pointer (hidden, held at
    // the centre) and gives it back when switched off.
    // In game mode the pointer shows only for the menu.
    if (asks.pointerCaptured && (s.windowed || menuOpen(s.front))) {
        s.pointerFree = !*asks.pointerCaptured;
        glutSetCursor(s.pointerFree ? GLUT_CURSOR_INHERIT : GLUT_CURSOR_NONE);
        // From the centre, so that switching it on does not turn the view.
        if (!s.pointerFree) glutWarpPointer(s.window.width / 2, s.window.height / 2);
    } else if (asks.pointerCaptured && !s.windowed) {
        s.pointerFree = false;
        glutSetCursor(GLUT_CURSOR_NONE);
    }
    if (asks.courseChanged) changeCourse(s.graphics, *s.front.play.game.course);
    if (asks.settings) {
        const Renderer asked = rendererOf(*asks.settings);
        if (asked != s.rendererAsked) {
            s.rendererAsked = asked;
            changeRenderer(s.graphics, asked);
            glutPostRedisplay();
        }
    }
    if (asks.ticksRestarted && !fromTimer) scheduleTicks(s);
    if (asks.redraw) glutPostRedisplay();
    if (asks.quit) exitGame(s, 0);
}

void onTimer(int)
{
    // Each tick of the clock is one tick of the game, or `speed` ticks of a
    // watched script. Once the end screen is up (or the watched script is
    // over) the tick chain stops until a restart.
    Session& s = *session;
    if (!s.front.watching) {
        for (int presses = pauseKeyPresses(s.pauseKey); presses > 0; --presses) frontAction(s.front, Action::Pause, true);
        frontPad(s.front, readGamepad(s.pad));
    }
    frontTicks(s.front);
    carryOut(s, true);
    if (s.front.loop.running) scheduleTicks(s);
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
    showFrame(session->graphics, frontFrame(session->front, session->window.width, session->window.height));
}

void onReshape(int width, int height)
{
    reshapeWindow(session->window, width, height);
    frontResize(session->front, session->window.width, session->window.height);
}

void onKey(PlayerKey key, bool down, int modifiers)
{
    frontKey(session->front, key, down, modifiers);
    carryOut(*session);
}

void onKeyDown(unsigned char key, int, int)
{
    onKey({false, key}, true, 0);
}

void onKeyUp(unsigned char key, int, int)
{
    onKey({false, key}, false, 0);
}

void onSpecialDown(int key, int, int)
{
    onKey({true, key}, true, glutGetModifiers());
}

void onSpecialUp(int key, int, int)
{
    onKey({true, key}, false, 0);
}

void onMouseButton(int button, int state, int x, int y)
{
    if (button == GLUT_LEFT_BUTTON && state == GLUT_DOWN && frontTap(session->front, x, y)) carryOut(*session);
}

void onMouseMove(int x, int y)
{
    Session& s = *session;
    if (frontPointer(s.front, x, y) && !s.pointerFree) glutWarpPointer(s.window.width / 2, s.window.height / 2);
    carryOut(s);
}

// The files to write, made before any window opens: the recording and the
// row trace. Empty when all is well.
std::string openOutputFiles(Session& s)
{
    const std::string& recordPath = s.options.recordPath;
    if (!recordPath.empty()) {
        std::string problem;
        const std::string path = recordingPath(recordPath, problem);
        if (path.empty()) return "skycourse: " + problem;
        problem = startRecording(s.front.recording, path);
        if (!problem.empty()) return problem;
    }
    if (const char* rows = std::getenv("SKYCOURSE_ROWS"); rows && *rows) {
        s.rows = std::fopen(rows, "w");
        if (!s.rows) {
            return std::string("skycourse: cannot write SKYCOURSE_ROWS=") + printable(rows) + ": " + std::strerror(errno);
        }
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
    Options& options = running.options;
    const std::string wrong = parseOptions(argc, argv, options);
    if (!wrong.empty()) return refuse("skycourse: " + wrong);
    if (options.help) {
        std::fputs(helpText, stdout);
        return 0;
    }
    // A keys.conf that is not right costs the player nothing but its bad
    // lines, each named once.
    FrontStart start;
    if (const std::string folder = playerConfigFolder(); !folder.empty()) {
        const std::string path = folder + "/keys.conf";
        start.keysPath = path;
        std::vector<std::string> problems;
        start.bindings = loadKeyBindings(path, problems);
        for (const std::string& problem : problems) {
            std::fprintf(stderr, "skycourse: %s: %s\n", printable(path).c_str(), problem.c_str());
        }
    }
    // settings.conf: what the player chose in the menu; the command line
    // wins for this run.
    start.settingsPath = playerSettingsPath();
    if (!start.settingsPath.empty()) {
        std::string problem;
        start.settings = loadPlayerSettings(start.settingsPath, problem);
        if (!problem.empty()) std::fprintf(stderr, "skycourse: %s\n", printable(problem).c_str());
    }
    if (options.mute) start.given.mute = true;
    if (options.rendererGiven) start.given.renderer = options.shaderRenderer ? RendererChoice::Shaders : RendererChoice::Classic;
    if (options.fastGraphics) start.given.graphics = *options.fastGraphics ? GraphicsChoice::Fast : GraphicsChoice::Full;
    if (options.windowed) start.given.fullScreen = false;
    if (options.printKeys) {
        std::fputs(describeBindings(start.bindings).c_str(), stdout);
        return 0;
    }

    // The course: --course's, or the built-in one. One that cannot be found
    // or read is the player's to fix, before any window.
    const std::vector<std::string> folders = courseFolders();
    if (options.listCourses) {
        std::fputs(describeCourses(folders, playerDataFolder()).c_str(), stdout);
        return 0;
    }
    running.front.courseFolders = folders;
    if (const std::string problem = findCourse(options.course.empty() ? builtInCourseId : options.course, folders,
                                               start.course);
        !problem.empty()) {
        return refuse("skycourse: " + problem);
    }
    // A script that does not parse is the player's to fix, display or not.
    if (!options.watchPath.empty()) {
        const std::string problem = frontWatch(running.front, watchPath(options.watchPath), options.speed);
        if (!problem.empty()) return refuse(problem);
    }
    // Before GLUT makes the GL context, which reads it.
    const GraphicsChoice graphics = start.given.graphics ? *start.given.graphics : start.settings.graphics;
    chooseRasterizerThreads(graphics == GraphicsChoice::Fast);
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
    const unsigned int seed = unsigned(std::time(nullptr));
    // From here on a signal must not end the game in the switched mode.
    catchQuitSignals();
    const bool fullScreen = start.given.fullScreen ? *start.given.fullScreen : start.settings.fullScreen;
    running.windowed = !fullScreen;
    if (running.windowed) {
        openOrdinaryWindow(options.windowWidth, options.windowHeight);
        running.pointerFree = true;
    } else {
        running.gameModeActive = openGameWindow();
    }

    // A watched script plays on its own course, from the game every script
    // starts from.
    start.now = wallClockMs;
    start.seed = seed;
    start.courseFolders = folders;
    start.dataFolder = playerDataFolder();
    start.ghostPath = options.ghostPath;
    start.keepRows = running.rows != nullptr;
    startFront(running.front, std::move(start));
    const PlayerSettings& settings = running.front.settings;
    running.rendererAsked = rendererOf(settings);
    running.graphics = initGraphics(*running.front.play.game.course, running.rendererAsked);
    initSound(running.sounds);
    setSoundVolume(running.sounds, float(options.volume) / 100.0f);
    applySoundSettings(running.sounds, settings);
    startBackgroundMusic(running.sounds);
    if (!running.front.watching) {
        startGamepads();
        listenForPauseKey(running.pauseKey, currentGlWindow());
    }

    glutDisplayFunc(onDisplay);
    glutKeyboardFunc(onKeyDown);
    glutKeyboardUpFunc(onKeyUp);
    glutSpecialFunc(onSpecialDown);
    glutSpecialUpFunc(onSpecialUp);
    glutPassiveMotionFunc(onMouseMove);
    glutMouseFunc(onMouseButton);
    glutReshapeFunc(onReshape);
    // The close button ends the game through onClose, like Esc.
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_CONTINUE_EXECUTION);
    glutCloseFunc(onClose);

    frontStartTicks(running.front);
    carryOut(running);
    scheduleTicks(running);
    glutTimerFunc(signalPollMilliseconds, onSignalPoll, 0);
    glutMainLoop();
    return 0;
}
