#pragma once
// End-to-end harness: private X servers, the real game started from its
// ready-to-run folder, keys sent through XTest, the screen grabbed with
// XGetImage and the video mode read through XF86VidMode. Every process it
// starts is stopped by the owning record's destructor, and by a handler for
// SIGTERM/SIGINT/SIGABRT should a test be cut short.

#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

typedef struct _XDisplay Display;

namespace e2e {

// Xorg needs root to drive its (dummy) video driver.
bool runningAsRoot();

// A private X server on a display it picked itself (-displayfd).
struct XServer {
    pid_t pid = -1;
    std::string display;  // ":N", empty when the server did not start
    std::string logFile;  // removed with the record

    XServer() = default;
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;
    XServer(XServer&& other) noexcept;
    ~XServer();
};

// Xorg with the given configuration file (the dummy video driver); as root.
XServer startXorg(const std::string& configFile);
// Xvfb with one screen of the given size at 24 bits. Unless asked to
// reset, it keeps its state when its last client leaves (-noreset). Audited,
// its log records every client's connection and disconnection.
XServer startXvfb(int width, int height, bool resetsWhenIdle = false, bool audited = false);
void stopServer(XServer& server);

// One run of the game, started in its own folder.
struct GameRun {
    pid_t pid = -1;
    std::string outputFile;  // stdout and stderr together; removed with the record
    bool exited = false;
    int exitCode = -1;       // 128 + signal when killed by a signal

    GameRun() = default;
    GameRun(const GameRun&) = delete;
    GameRun& operator=(const GameRun&) = delete;
    GameRun(GameRun&& other) noexcept;
    ~GameRun();
};

// How a run of the game is started, beyond its folder and display.
struct Launch {
    std::string workingDir;    // empty: the game's own folder
    bool stderrClosed = false;  // as a shell's 2>&-
    bool unprivileged = false;  // as nobody when we are root, so that file modes hold
    std::vector<std::pair<std::string, std::string>> env;  // added to the environment
    std::vector<std::string> wrapper;  // a program the game runs under (valgrind ...)
    std::vector<std::string> arguments;  // the game's own command line
};

// Runs gameDir/skycourse. display empty: DISPLAY is removed from its
// environment.
GameRun startGame(const std::string& gameDir, const std::string& display, const Launch& launch = {});
// The same with added environment variables and the game's arguments.
GameRun startGame(const std::string& gameDir, const std::string& display,
                  const std::vector<std::pair<std::string, std::string>>& env,
                  const std::vector<std::string>& arguments);
// Waits for the game to end; false if it still runs after the timeout.
bool waitForExit(GameRun& run, double seconds);
void killGame(GameRun& run);
std::string gameOutput(const GameRun& run);
// The whole text of a file (a server's log); empty if it cannot be read.
std::string fileText(const std::string& path);

// Polls until the condition holds or the time is up.
bool waitUntil(const std::function<bool()>& condition, double seconds);
void sleepSeconds(double seconds);

// An X connection for observing and driving the display.
struct XClient {
    Display* display = nullptr;

    explicit XClient(const std::string& name);
    XClient(const XClient&) = delete;
    XClient& operator=(const XClient&) = delete;
    ~XClient();
};

struct ScreenSize {
    int width = 0;
    int height = 0;
    bool operator==(const ScreenSize&) const = default;
};
// The video mode the monitor is driven at now (XF86VidMode).
ScreenSize currentVideoMode(Display* display);

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, rows top to bottom
};
Image grabScreen(Display* display, int x, int y, int width, int height);
// Share of pixels (0..1) whose colour differs by more than tolerance in any
// channel. Images of different sizes differ completely.
double differingShare(const Image& a, const Image& b, int tolerance = 8);
// Number of distinct colours, counted up to limit.
int distinctColours(const Image& image, int limit = 1000);

// Writes a binary PPM, to look at when a test fails; false on error.
bool writePpm(const Image& image, const std::string& path);

// XTest key events by keysym (XK_Escape, XK_Up, ...).
void pressKey(Display* display, unsigned long keysym);
void releaseKey(Display* display, unsigned long keysym);
void tapKey(Display* display, unsigned long keysym);

// An XTest pointer move to (x, y) of the screen.
void movePointer(Display* display, int x, int y);

struct WindowBox {
    unsigned long id = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};
// Top-level windows that are mapped and viewable.
std::vector<WindowBox> viewableTopWindows(Display* display);
// Asks a window to close as a window manager's close button does
// (WM_DELETE_WINDOW).
void askToClose(Display* display, unsigned long window);

}  // namespace e2e
