// skycourse in a browser: the desktop's game, play logic, tick clock, sound
// table and recording, driven by the page instead of GLUT. The browser calls
// `frame` once per screen refresh (requestAnimationFrame); the ticks the wall
// clock owes are run there, at most four, then the frame is drawn. Keys,
// the mouse (under Pointer Lock), the gamepad and the page's buttons come
// in through the html5 callbacks and the exported functions below.

#include <emscripten.h>
#include <emscripten/em_js.h>
#include <emscripten/html5.h>

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "app/audio.h"
#include "app/best_times.h"
#include "app/gamepad.h"
#include "app/key_bindings.h"
#include "app/key_codes.h"
#include "app/play.h"
#include "app/recording.h"
#include "app/rows.h"
#include "app/tick_loop.h"
#include "app/watching.h"
#include "app/web/dom_keys.h"
#include "app/web/page_view.h"
#include "app/web/storage.h"
#include "app/web/web_pad.h"
#include "assets/sound.h"
#include "sim/game.h"
#include "sim/timing.h"

namespace {

// The page's folders in memory, mirrored to the browser's storage.
constexpr const char* dataFolder = "/skycourse/data";
constexpr const char* configFolder = "/skycourse/config";
constexpr const char* recordingPath = "/skycourse/run/run.replay";

struct WebSession {
    Play play;
    KeyBindings bindings;
    GameSounds sounds;
    TickLoop loop;
    Recording recording;
    ScriptPlayer watch;
    bool watching = false;
    int speed = 1;              // ticks of a watched script per tick
    PadReading pad;
    PageView view;
    bool started = false;       // the player's first gesture came
    bool drawn = false;         // the first frame is on the page
    bool musicSoft = false;
    bool storageKept = true;
    bool keepRows = false;      // ?rows: the rows of the run, for a test to read
    std::string rows;
    long long tickNumber = 0;
    std::string runLine;
};

// The browser's callbacks take a user pointer; this one session is it.
WebSession& session()
{
    static WebSession running;
    return running;
}

EM_JS(void, showPageLine, (const char* text), { Module.page.showLine(UTF8ToString(text)); });
EM_JS(void, hidePageSign, (), { Module.page.hideSign(); });
EM_JS(void, askForFullscreen, (), { Module.page.fullscreen(); });
EM_JS(void, askForPointerLock, (), { Module.page.lockPointer(); });
EM_JS(void, givePointerBack, (), { Module.page.unlockPointer(); });
EM_JS(int, pointerIsLocked, (), { return Module.page.pointerLocked() ? 1 : 0; });
EM_JS(void, markFirstFrame, (), { Module.page.firstFrame(); });

// The ring reached: the run's time among the best, unless watching.
void followFinish(WebSession& s)
{
    const RunFinished finished = finishRun(s.play.game, s.watching ? "" : std::string(dataFolder) + "/times.json");
    s.runLine = finished.line;
    if (!finished.problem.empty()) std::fprintf(stderr, "skycourse: %s\n", finished.problem.c_str());
    if (s.watching) return;
    if (!storeFolder(dataFolder) && s.storageKept) {
        s.storageKept = false;
        showPageLine("Best times are not kept: the browser's storage is full or turned off.");
    }
}

bool playTick(WebSession& s)
{
    const GameTick tick = advancePlay(s.play);
    playEvents(s.sounds, s.play.game.events);
    if (tick.goalReached) followFinish(s);
    ++s.tickNumber;
    if (s.keepRows) s.rows += formatRow(s.tickNumber, s.play.game);
    recordTick(s.recording);
    return tick.ticked;
}

bool playWatchedTicks(WebSession& s)
{
    for (int i = 0; i < s.speed; ++i) {
        if (!nextWatchedTick(s.watch, s.play.input, s.play.game) || !playTick(s)) return false;
    }
    return true;
}

void followPause(WebSession& s)
{
    if (s.musicSoft == s.play.paused) return;
    s.musicSoft = s.play.paused;
    softenMusic(s.sounds, s.musicSoft);
}

void followRestart(WebSession& s)
{
    s.runLine.clear();
    restartMusic(s.sounds);
    s.musicSoft = false;
    restartTickLoop(s.loop, emscripten_get_now());
}

// Mouse look takes the pointer (Pointer Lock) and gives it back, as the
// desktop's window does.
void followMouseLook(WebSession& s)
{
    const bool wanted = !s.play.input.mouseLookDisabled;
    if (wanted && !pointerIsLocked()) askForPointerLock();
    if (!wanted && pointerIsLocked()) givePointerBack();
}

void followKey(WebSession& s, const KeyOutcome& outcome)
{
    if (outcome.record) recordInput(s.recording, outcome.command);
    if (outcome.command.kind == ScriptKind::Restart) followRestart(s);
    if (outcome.mute) switchMute(s.sounds);
    followMouseLook(s);
    followPause(s);
}

// The first click or key: browsers start sound only on a gesture, so the
// game waits for it under its first frame.
void start(WebSession& s)
{
    if (s.started) return;
    s.started = true;
    hidePageSign();
    initSound(s.sounds);
    startBackgroundMusic(s.sounds);
    startTickLoop(s.loop, emscripten_get_now());
}

// A pointer at (x, y) of a screen of this size turns the view as on the
// desktop, and is written down when it did.
void movePointerTo(WebSession& s, int x, int y, int width, int height)
{
    if (s.watching || !s.started) return;
    if (movePlayPointer(s.play, x, y, width, height).record) recordPointer(s.recording, x, y, width, height);
}

void followGamepad(WebSession& s)
{
    BrowserPad browserPad;
    if (emscripten_sample_gamepad_data() == EMSCRIPTEN_RESULT_SUCCESS && emscripten_get_num_gamepads() > 0) {
        EmscriptenGamepadEvent state{};
        if (emscripten_get_gamepad_status(0, &state) == EMSCRIPTEN_RESULT_SUCCESS) {
            browserPad.connected = state.connected;
            browserPad.standardMapping = std::string(state.mapping) == "standard";
            for (int i = 0; i < 4 && i < state.numAxes; ++i) browserPad.axes[i] = state.axis[i];
            for (int i = 0; i < 17 && i < state.numButtons; ++i) browserPad.buttons[i] = state.digitalButton[i];
        }
    }
    const PadReading now = readBrowserPad(browserPad);
    for (const PadChange& change : padChanges(s.pad, now)) {
        followKey(s, change.down ? pressAction(s.play, change.action) : releaseAction(s.play, change.action));
    }
    s.pad = now;
    const ScriptScreen screen;
    if (now.lookX != 0 || now.lookY != 0) {
        movePointerTo(s, screen.width / 2 + now.lookX, screen.height / 2 + now.lookY, screen.width, screen.height);
    }
}

void frame()
{
    WebSession& s = session();
    if (s.started) {
        if (!s.watching) followGamepad(s);
        playDueTicks(s.loop, s.play, emscripten_get_now(),
                     [&s] { return s.watching ? playWatchedTicks(s) : playTick(s); });
    }
    drawPageFrame(s.view, s.play, s.runLine);
    if (!s.drawn) {
        s.drawn = true;
        markFirstFrame();
    }
}

// Keys the browser keeps for itself, unless keys.conf gives them an action:
// reload (F5) and its tools (F12); and Esc, with which it gives back the
// pointer and leaves full screen (a page is not quit from inside).
bool browsersOwn(const KeyBindings& bindings, std::string_view domKey, PlayerKey key)
{
    if (domKey == "Escape") return true;
    Action action;
    return key.special && (key.code == keyF5 || key.code == keyF12) && !actionOfKey(bindings, key, action);
}

EM_BOOL onKey(int type, const EmscriptenKeyboardEvent* event, void*)
{
    WebSession& s = session();
    const bool down = type == EMSCRIPTEN_EVENT_KEYDOWN;
    const std::string domKey = event->key;
    if (domKey == "F11") {
        if (down) askForFullscreen();
        return true;
    }
    PlayerKey key;
    const bool known = playerKeyOfDomKey(domKey, key) || domKey == "Pause";
    // Ctrl and Cmd shortcuts are the browser's; so are keys the game has no
    // code for (Shift alone, dead keys).
    if (!known || event->ctrlKey || event->metaKey || browsersOwn(s.bindings, domKey, key)) return false;
    if (!s.started) {
        // The key that starts the game does nothing in it.
        if (down) start(s);
        return true;
    }
    if (down && event->repeat) return true;  // GLUT's key repeat is off too
    if (s.watching) return true;
    if (domKey == "Pause") {
        if (down) followKey(s, pressAction(s.play, Action::Pause));
        return true;
    }
    if (down) {
        const int modifiers = modifiersOf(event->shiftKey, event->ctrlKey, event->altKey, event->metaKey);
        followKey(s, pressPlayKey(s.play, s.bindings, key, modifiers));
    } else {
        followKey(s, releasePlayKey(s.play, s.bindings, key));
    }
    return true;
}

EM_BOOL onClick(int, const EmscriptenMouseEvent*, void*)
{
    WebSession& s = session();
    if (!s.started) {
        start(s);
        return true;
    }
    // A click asks for mouse look, as "p" does.
    if (!s.watching && s.play.input.mouseLookDisabled && !s.play.paused) {
        followKey(s, pressPlayKey(s.play, s.bindings, {false, 'p'}, 0));
        followKey(s, releasePlayKey(s.play, s.bindings, {false, 'p'}));
    }
    return true;
}

// Under Pointer Lock the pointer stays put and only its movement comes: a
// move is the pointer leaving the canvas's centre, as the desktop's warp
// back to the centre makes it.
EM_BOOL onMouseMove(int, const EmscriptenMouseEvent* event, void*)
{
    WebSession& s = session();
    if (!pointerIsLocked() || (event->movementX == 0 && event->movementY == 0)) return false;
    const int width = s.view.width;
    const int height = s.view.height;
    movePointerTo(s, width / 2 + int(event->movementX), height / 2 + int(event->movementY), width, height);
    return true;
}

// Esc in the browser gives the pointer back: mouse look is then off, as
// if "p" had been pressed.
EM_BOOL onPointerLockChange(int, const EmscriptenPointerlockChangeEvent* event, void*)
{
    WebSession& s = session();
    if (!event->isActive && !s.play.input.mouseLookDisabled && !s.watching) {
        const bool paused = s.play.paused;
        s.play.paused = false;  // the switch must go through even while paused
        followKey(s, pressPlayKey(s.play, s.bindings, {false, 'p'}, 0));
        followKey(s, releasePlayKey(s.play, s.bindings, {false, 'p'}));
        s.play.paused = paused;
    }
    return true;
}

void loadKeys(WebSession& s)
{
    std::vector<std::string> problems;
    const std::string path = std::string(configFolder) + "/keys.conf";
    s.bindings = loadKeyBindings(path, problems);
    for (const std::string& problem : problems) std::fprintf(stderr, "skycourse: keys.conf: %s\n", problem.c_str());
}

}  // namespace

extern "C" {

// A replay script written into the page's memory (dropped on the page, or
// ?watch=URL) is watched from the start at `speed` ticks per tick. A script
// that does not parse is named in one line on the page; the game goes on.
EMSCRIPTEN_KEEPALIVE int skycourse_watch(const char* path, int speed)
{
    WebSession& s = session();
    ScriptPlayer watch;
    const std::string problem = loadWatch(watch, path);
    if (!problem.empty()) {
        showPageLine(problem.c_str());
        return 0;
    }
    s.watch = std::move(watch);
    s.watching = true;
    // A watched script is no run of the player's: the recording ends here.
    finishRecording(s.recording);
    s.speed = speed < 1 ? 1 : speed > 20 ? 20 : speed;
    s.play = startPlay(newScriptGame());
    s.tickNumber = 0;
    s.rows.clear();
    s.runLine.clear();
    if (s.started) followRestart(s);
    return 1;
}

// The run so far as a replay script, for the page to offer as a download.
EMSCRIPTEN_KEEPALIVE const char* skycourse_recording_path()
{
    return session().recording.fd >= 0 ? session().recording.partPath.c_str() : "";
}

// What a test reads of the game: the tick, the state and the sign shown.
EMSCRIPTEN_KEEPALIVE const char* skycourse_state()
{
    static std::string text;
    const WebSession& s = session();
    const Ball& ball = s.play.game.ball;
    char line[512];
    std::snprintf(line, sizeof line,
                  "{\"started\":%s,\"tick\":%lld,\"state\":%d,\"paused\":%s,\"timer\":%s,\"watching\":%s,"
                  "\"mouseLook\":%s,\"ball\":[%.9g,%.9g,%.9g],\"ticksPlayed\":%d,\"width\":%d,\"height\":%d}",
                  s.started ? "true" : "false", s.tickNumber, int(s.play.game.gameState),
                  s.play.paused ? "true" : "false", s.play.timerShown ? "true" : "false",
                  s.watching ? "true" : "false", s.play.input.mouseLookDisabled ? "false" : "true",
                  ball.position.x, ball.position.y, ball.position.z, s.play.game.ticksPlayed, s.view.width,
                  s.view.height);
    text = line;
    return text.c_str();
}

EMSCRIPTEN_KEEPALIVE const char* skycourse_rows()
{
    static std::string text;
    text = std::string(rowHeader) + "\n" + session().rows;
    return text.c_str();
}

// The page's size changed (or it went full screen): draw at the new size.
EMSCRIPTEN_KEEPALIVE void skycourse_resize(int width, int height, int pixelWidth, int pixelHeight)
{
    resizePageView(session().view, width, height, pixelWidth, pixelHeight);
}

// The page's own start button.
EMSCRIPTEN_KEEPALIVE void skycourse_start()
{
    start(session());
}

}  // extern "C"

int main(int argc, char** argv)
{
    WebSession& s = session();
    s.keepRows = argc > 1 && std::string(argv[1]) == "--rows";
    s.storageKept = loadStoredFolder(dataFolder) && loadStoredFolder(configFolder);
    if (!s.storageKept) showPageLine("Best times and keys are not kept: the browser's storage is turned off.");
    loadKeys(s);
    s.play = startPlay(newGame(unsigned(std::time(nullptr))));
    if (const std::string problem = openPageView(s.view, *s.play.game.course); !problem.empty()) {
        showPageLine(("skycourse: " + problem).c_str());
        return 1;
    }
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(recordingPath).parent_path(), error);
    const std::string problem = startRecording(s.recording, recordingPath);
    if (!problem.empty()) std::fprintf(stderr, "%s\n", problem.c_str());

    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, true, onKey);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, true, onKey);
    emscripten_set_click_callback(s.view.canvas, nullptr, true, onClick);
    emscripten_set_mousemove_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, true, onMouseMove);
    emscripten_set_pointerlockchange_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, true, onPointerLockChange);
    emscripten_set_main_loop(frame, 0, false);
    return 0;
}
