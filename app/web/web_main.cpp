// skycourse in a browser: the page's shell around the game's one front,
// which owns the run as it does on the desktop. The browser calls
// `frame` once per screen refresh (requestAnimationFrame); the ticks the wall
// clock owes are run there, at most four, then the frame is drawn. Keys,
// the mouse (under Pointer Lock), touches (app/web/touch.h), the gamepad and
// the page's buttons come in through the html5 callbacks and the exported
// functions below.

#include <emscripten.h>
#include <emscripten/em_js.h>
#include <emscripten/html5.h>

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "app/front/audio.h"
#include "app/front/front.h"
#include "app/input/key_bindings.h"
#include "app/input/key_codes.h"
#include "app/race/best_run.h"
#include "app/script/rows.h"
#include "app/web/dom_keys.h"
#include "app/web/page_view.h"
#include "app/web/storage.h"
#include "app/web/touch.h"
#include "app/web/web_pad.h"
#include "assets/sound.h"

namespace {

// The page's folders in memory, mirrored to the browser's storage.
constexpr const char* dataFolder = "/skycourse/data";
constexpr const char* configFolder = "/skycourse/config";
constexpr const char* recordingPath = "/skycourse/run/run.replay";

struct WebSession {
    Front front;
    GameSounds sounds;
    PageView view;
    TouchControls touch;
    bool touched = false;       // played by touch: no Pointer Lock to ask for
    bool started = false;       // the player's first gesture came
    bool drawn = false;         // the first frame is on the page
    bool storageKept = true;
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
EM_JS(void, drawStick, (int shown, float originX, float originY, float thumbX, float thumbY),
      { Module.page.stick(shown, originX, originY, thumbX, thumbY); });

double wallClockMs()
{
    return emscripten_get_now();
}

// What the front asked for, carried out: sounds, the pointer (Pointer
// Lock), a line on the page, the player's files into the browser's storage.
void carryOut(WebSession& s)
{
    const FrontAsks asks = takeAsks(s.front);
    if (s.started) hearAsks(s.sounds, asks);
    if (asks.pointerCaptured && !s.touched) {
        if (*asks.pointerCaptured && !pointerIsLocked()) askForPointerLock();
        if (!*asks.pointerCaptured && pointerIsLocked()) givePointerBack();
    }
    if (!asks.line.empty()) showPageLine(asks.line.c_str());
    if (asks.courseChanged) changePageCourse(s.view, *s.front.play.game.course);
    if (asks.filesWritten && !(storeFolder(dataFolder) && storeFolder(configFolder)) && s.storageKept) {
        s.storageKept = false;
        showPageLine("Best times are not kept: the browser's storage is full or turned off.");
    }
}

// The first click or key: browsers start sound only on a gesture, so the
// game waits for it under its first frame.
void start(WebSession& s)
{
    if (s.started) return;
    s.started = true;
    hidePageSign();
    initSound(s.sounds);
    applySoundSettings(s.sounds, s.front.settings);
    startBackgroundMusic(s.sounds);
    frontStartTicks(s.front);
}

PadReading samplePad()
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
    return readBrowserPad(browserPad);
}

void frame()
{
    WebSession& s = session();
    if (s.started) {
        frontPad(s.front, samplePad());
        frontTicks(s.front);
    }
    carryOut(s);
    drawPageFrame(s.view, frontFrame(s.front, s.view.pixelWidth, s.view.pixelHeight));
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
    if (!known || event->ctrlKey || event->metaKey || browsersOwn(s.front.bindings, domKey, key)) return false;
    if (!s.started) {
        // The key that starts the game does nothing in it.
        if (down) start(s);
        return true;
    }
    if (down && event->repeat) return true;  // GLUT's key repeat is off too
    if (domKey == "Pause") {
        if (down) frontAction(s.front, Action::Pause, true);
    } else {
        frontKey(s.front, key, down, modifiersOf(event->shiftKey, event->ctrlKey, event->altKey, event->metaKey));
    }
    carryOut(s);
    return true;
}

EM_BOOL onClick(int, const EmscriptenMouseEvent* event, void*)
{
    WebSession& s = session();
    if (!s.started) {
        start(s);
        return true;
    }
    // A click works the menu where one is open, and otherwise asks for
    // mouse look, as its key does.
    if (!frontTap(s.front, int(event->targetX), int(event->targetY))) frontClick(s.front);
    carryOut(s);
    return true;
}

// Under Pointer Lock the pointer stays put and only its movement comes: a
// move is the pointer leaving the canvas's centre, as the desktop's warp
// back to the centre makes it.
EM_BOOL onMouseMove(int, const EmscriptenMouseEvent* event, void*)
{
    WebSession& s = session();
    if (s.started && menuOpen(s.front)) {
        frontPointer(s.front, int(event->targetX), int(event->targetY));
        carryOut(s);
        return true;
    }
    if (!s.started || !pointerIsLocked() || (event->movementX == 0 && event->movementY == 0)) return false;
    const ScriptScreen& screen = s.front.screen;
    frontPointer(s.front, screen.width / 2 + int(event->movementX), screen.height / 2 + int(event->movementY));
    carryOut(s);
    return true;
}

// Esc in the browser gives the pointer back: mouse look is then off, as
// if its key had been pressed.
EM_BOOL onPointerLockChange(int, const EmscriptenPointerlockChangeEvent* event, void*)
{
    WebSession& s = session();
    if (!event->isActive) {
        frontPointerLost(s.front);
        carryOut(s);
    }
    return true;
}

// Touches on the canvas: the stick, the look drag, a tap on the menu
// (app/web/touch.cpp). The first lifted touch only starts the game: sound
// may start within a touch's end, not its start.
EM_BOOL onTouch(int type, const EmscriptenTouchEvent* event, void*)
{
    WebSession& s = session();
    s.touched = true;
    s.touch.width = float(s.view.width);
    s.touch.height = float(s.view.height);
    const bool ended = type == EMSCRIPTEN_EVENT_TOUCHEND || type == EMSCRIPTEN_EVENT_TOUCHCANCEL;
    if (!s.started) {
        if (ended) start(s);
        return true;
    }
    Front& f = s.front;
    for (int i = 0; i < event->numTouches; ++i) {
        const EmscriptenTouchPoint& point = event->touches[i];
        if (!point.isChanged) continue;
        const float x = float(point.targetX), y = float(point.targetY);
        const int id = int(point.identifier);
        const std::vector<TouchCall> calls =
            type == EMSCRIPTEN_EVENT_TOUCHSTART
                ? touchStart(s.touch, id, x, y, menuOpen(f), !f.play.input.mouseLookDisabled)
                : ended ? touchEnd(s.touch, id, x, y) : touchMove(s.touch, id, x, y);
        for (const TouchCall& call : calls) {
            switch (call.kind) {
            case TouchCall::Key: frontKey(f, call.key, call.down, 0); break;
            case TouchCall::Look: frontPointer(f, f.screen.width / 2 + call.x, f.screen.height / 2 + call.y); break;
            case TouchCall::LookOn: frontClick(f); break;
            case TouchCall::Hover: frontPointer(f, call.x, call.y); break;
            case TouchCall::Tap: frontTap(f, call.x, call.y); break;
            }
        }
    }
    const StickPicture stick = stickPicture(s.touch);
    drawStick(stick.shown, stick.originX, stick.originY, stick.thumbX, stick.thumbY);
    carryOut(s);
    return true;
}

std::string keysPath()
{
    return std::string(configFolder) + "/keys.conf";
}

KeyBindings loadKeys()
{
    std::vector<std::string> problems;
    const std::string path = keysPath();
    KeyBindings bindings = loadKeyBindings(path, problems);
    for (const std::string& problem : problems) std::fprintf(stderr, "skycourse: keys.conf: %s\n", problem.c_str());
    return bindings;
}

}  // namespace

extern "C" {

// A replay script written into the page's memory (dropped on the page, or
// ?watch=URL) is watched from the start at `speed` ticks per tick. A script
// that does not parse is named in one line on the page; the game goes on.
EMSCRIPTEN_KEEPALIVE int skycourse_watch(const char* path, int speed)
{
    WebSession& s = session();
    const std::string problem = frontWatch(s.front, path, speed);
    if (!problem.empty()) showPageLine(problem.c_str());
    carryOut(s);
    return problem.empty() ? 1 : 0;
}

// A replay script raced as the ghost (dropped with Shift, or ?ghost=URL), as
// --ghost races one on the desktop; one line on the page when it is not a
// run.
EMSCRIPTEN_KEEPALIVE int skycourse_ghost(const char* path)
{
    WebSession& s = session();
    const std::string problem = frontGhost(s.front, path);
    if (!problem.empty()) showPageLine(("skycourse: " + problem).c_str());
    carryOut(s);
    return problem.empty() ? 1 : 0;
}

// A course file written into the page's memory (dropped on the page) is
// played from its start; one that is not a course is named in one line.
EMSCRIPTEN_KEEPALIVE int skycourse_course(const char* path)
{
    WebSession& s = session();
    const std::string problem = frontCourse(s.front, path);
    if (!problem.empty()) showPageLine(("skycourse: " + problem).c_str());
    carryOut(s);
    return problem.empty() ? 1 : 0;
}

// The run so far as a replay script, for the page to offer as a download.
EMSCRIPTEN_KEEPALIVE const char* skycourse_recording_path()
{
    return session().front.recording.fd >= 0 ? session().front.recording.partPath.c_str() : "";
}

// The best run kept, for the page to offer as a download; empty when none.
EMSCRIPTEN_KEEPALIVE const char* skycourse_best_run_path()
{
    static std::string path;
    path = bestRunPath(dataFolder);
    return access(path.c_str(), R_OK) == 0 ? path.c_str() : "";
}

// What a test reads of the game: the tick, the state, the sign shown, the
// race.
EMSCRIPTEN_KEEPALIVE const char* skycourse_state()
{
    static std::string text;
    const WebSession& s = session();
    const Front& f = s.front;
    const Ball& ball = f.play.game.ball;
    const std::optional<SplitLine> split = raceSplit(f.race, f.play.game);
    int checkpointsTaken = 0;
    for (const CheckpointState& checkpoint : f.play.game.courseState.checkpoints) checkpointsTaken += checkpoint.taken;
    char line[768];
    std::snprintf(line, sizeof line,
                  "{\"started\":%s,\"tick\":%lld,\"state\":%d,\"paused\":%s,\"timer\":%s,\"watching\":%s,"
                  "\"mouseLook\":%s,\"ball\":[%.9g,%.9g,%.9g],\"ticksPlayed\":%d,\"width\":%d,\"height\":%d,"
                  "\"ghost\":%s,\"split\":\"%s\",\"yaw\":%.9g,\"pitch\":%.9g,\"quadrant\":%d,\"firstPerson\":%s,\"checkpoints\":%d}",
                  s.started ? "true" : "false", f.tickNumber, int(f.play.game.gameState),
                  f.play.paused ? "true" : "false", f.play.timerShown ? "true" : "false",
                  f.watching ? "true" : "false", f.play.input.mouseLookDisabled ? "false" : "true",
                  ball.position.x, ball.position.y, ball.position.z, f.play.game.ticksPlayed, s.view.width,
                  s.view.height, ghostBall(f.race, f.play.ghostShown) ? "true" : "false",
                  split ? split->text.c_str() : "", f.play.game.camera.cameraYaw, f.play.game.camera.cameraPitch,
                  int(f.play.game.camera.viewQuadrant), f.play.game.camera.firstPersonView ? "true" : "false", checkpointsTaken);
    text = line;
    return text.c_str();
}

EMSCRIPTEN_KEEPALIVE const char* skycourse_rows()
{
    static std::string text;
    text = std::string(rowHeader) + "\n" + session().front.rows;
    return text.c_str();
}

// The page's size changed (or it went full screen): draw at the new size.
EMSCRIPTEN_KEEPALIVE void skycourse_resize(int width, int height, int pixelWidth, int pixelHeight)
{
    WebSession& s = session();
    resizePageView(s.view, width, height, pixelWidth, pixelHeight);
    frontResize(s.front, s.view.width, s.view.height);
}

// The touch buttons over the canvas: jump, the quarter turns, the camera,
// the pause menu, as their keys.
EMSCRIPTEN_KEEPALIVE void skycourse_button(int button, int down)
{
    WebSession& s = session();
    s.touched = true;
    if (!s.started) {
        if (!down) start(s);
        return;
    }
    switch (button) {
    case 0: frontKey(s.front, {false, keyEnter}, down, 0); break;
    case 1: frontKey(s.front, {true, keyLeft}, down, modifierShift); break;
    case 2: frontKey(s.front, {true, keyRight}, down, modifierShift); break;
    case 3: frontKey(s.front, {false, 'c'}, down, 0); break;
    case 4:
        if (down) frontAction(s.front, Action::Pause, true);
        break;
    default: return;
    }
    carryOut(s);
}

// How far the game's heap reaches into its memory, in bytes: what the
// fixed memory must hold, for a test.
EMSCRIPTEN_KEEPALIVE double skycourse_heap_top()
{
    return double(reinterpret_cast<std::uintptr_t>(sbrk(0)));
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
    s.storageKept = loadStoredFolder(dataFolder) && loadStoredFolder(configFolder);
    if (!s.storageKept) showPageLine("Best times and keys are not kept: the browser's storage is turned off.");
    FrontStart start;
    start.now = wallClockMs;
    start.seed = unsigned(std::time(nullptr));
    start.bindings = loadKeys();
    start.dataFolder = dataFolder;
    start.courseFolders = courseFolders();
    findCourse(builtInCourseId, start.courseFolders, start.course);
    start.keysPath = keysPath();
    start.settingsPath = std::string(configFolder) + "/settings.conf";
    std::string problem;
    start.settings = loadPlayerSettings(start.settingsPath, problem);
    if (!problem.empty()) std::fprintf(stderr, "skycourse: %s\n", problem.c_str());
    start.keepRows = argc > 1 && std::string(argv[1]) == "--rows";
    startFront(s.front, std::move(start));
    if (const std::string problem = openPageView(s.view, *s.front.play.game.course); !problem.empty()) {
        showPageLine(("skycourse: " + problem).c_str());
        return 1;
    }
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(recordingPath).parent_path(), error);
    problem = startRecording(s.front.recording, recordingPath);
    if (!problem.empty()) std::fprintf(stderr, "%s\n", problem.c_str());

    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, true, onKey);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, true, onKey);
    emscripten_set_click_callback(s.view.canvas, nullptr, true, onClick);
    emscripten_set_mousemove_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, true, onMouseMove);
    emscripten_set_touchstart_callback(s.view.canvas, nullptr, true, onTouch);
    emscripten_set_touchmove_callback(s.view.canvas, nullptr, true, onTouch);
    emscripten_set_touchend_callback(s.view.canvas, nullptr, true, onTouch);
    emscripten_set_touchcancel_callback(s.view.canvas, nullptr, true, onTouch);
    emscripten_set_pointerlockchange_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, true, onPointerLockChange);
    emscripten_set_main_loop(frame, 0, false);
    return 0;
}
