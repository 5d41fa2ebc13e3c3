#include "tests/e2e/harness.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/xf86vmode.h>
#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/wait.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <thread>

namespace e2e {
namespace {

// Every process we started and have not reaped, so that a test cut short by
// a signal still takes its servers and games down with it.
std::set<pid_t>& livePids()
{
    static std::set<pid_t> pids;
    return pids;
}

void killAllOnSignal(int signal)
{
    for (pid_t pid : livePids()) kill(-pid, SIGKILL);
    ::signal(signal, SIG_DFL);
    raise(signal);
}

void watchPid(pid_t pid)
{
    static bool handlersInstalled = false;
    if (!handlersInstalled) {
        for (int s : {SIGTERM, SIGINT, SIGABRT, SIGSEGV}) signal(s, killAllOnSignal);
        handlersInstalled = true;
    }
    livePids().insert(pid);
}

// Stops a process group we lead: SIGTERM, then SIGKILL after a grace period.
// Returns the wait status, or -1 if the process was already gone.
int stopProcess(pid_t pid, double graceSeconds)
{
    if (pid <= 0) return -1;
    kill(-pid, SIGTERM);
    int status = 0;
    auto deadline = std::chrono::steady_clock::now() +
                    std::chrono::milliseconds(int(graceSeconds * 1000));
    while (std::chrono::steady_clock::now() < deadline) {
        pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid || done < 0) {
            livePids().erase(pid);
            return done == pid ? status : -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    kill(-pid, SIGKILL);
    waitpid(pid, &status, 0);
    livePids().erase(pid);
    return status;
}

std::string temporaryFile(const char* stem)
{
    char path[256];
    std::snprintf(path, sizeof path, "/tmp/skycourse-e2e-%s-XXXXXX", stem);
    int fd = mkstemp(path);
    if (fd < 0) return {};
    close(fd);
    return path;
}

// The games' own XDG config and data folders, one empty pair for the test
// program, removed when it ends: the player's keys.conf and best times are
// never part of a test, and nothing of a test's is left in them.
// (A plain array: it outlives the exit handler that removes the folder.)
char playerFolder[] = "/tmp/skycourse-e2e-xdg-XXXXXX";

std::string playerFolders()
{
    static const bool made = [] {
        if (!mkdtemp(playerFolder)) return false;
        // Open to a game run as another user too, as /tmp is.
        chmod(playerFolder, 01777);
        std::atexit([] { std::filesystem::remove_all(playerFolder); });
        return true;
    }();
    return made ? playerFolder : "/tmp/skycourse-e2e-no-xdg";
}

// Starts an X server whose argv ends with "-displayfd <fd>", added here, and
// waits until it reports its display number and accepts connections. Its
// output goes to logFile, unless the server keeps that log itself.
XServer startServer(std::vector<std::string> args, const std::string& logFile,
                    bool serverWritesLog, double timeout)
{
    XServer server;
    server.logFile = logFile;
    int fds[2];
    if (pipe(fds) != 0) return server;
    args.push_back("-displayfd");
    args.push_back(std::to_string(fds[1]));

    pid_t pid = fork();
    if (pid == 0) {
        setpgid(0, 0);
        close(fds[0]);
        int log = serverWritesLog ? open("/dev/null", O_WRONLY)
                                  : open(logFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (log >= 0) {
            dup2(log, 1);
            dup2(log, 2);
        }
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    close(fds[1]);
    if (pid < 0) {
        close(fds[0]);
        return server;
    }
    setpgid(pid, pid);
    server.pid = pid;
    watchPid(pid);

    std::string number;
    auto deadline = std::chrono::steady_clock::now() +
                    std::chrono::milliseconds(int(timeout * 1000));
    fcntl(fds[0], F_SETFL, O_NONBLOCK);
    while (std::chrono::steady_clock::now() < deadline) {
        char c;
        ssize_t n = read(fds[0], &c, 1);
        if (n == 1) {
            if (c == '\n') break;
            number += c;
            continue;
        }
        if (n == 0 || waitpid(pid, nullptr, WNOHANG) == pid) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    close(fds[0]);
    if (number.empty()) {
        stopServer(server);
        return server;
    }
    std::string name = ":" + number;
    bool ready = waitUntil(
        [&] {
            Display* d = XOpenDisplay(name.c_str());
            if (d) XCloseDisplay(d);
            return d != nullptr;
        },
        timeout);
    if (!ready) {
        stopServer(server);
        return server;
    }
    server.display = name;
    return server;
}

}  // namespace

bool runningAsRoot()
{
    return geteuid() == 0;
}

XServer::XServer(XServer&& other) noexcept
    : pid(std::exchange(other.pid, -1)), display(std::move(other.display)),
      logFile(std::move(other.logFile))
{
}

XServer::~XServer()
{
    stopServer(*this);
    if (!logFile.empty()) std::remove(logFile.c_str());
}

XServer startXorg(const std::string& configFile)
{
    std::string log = temporaryFile("xorg-log");
    // Xorg would keep an existing log as "<log>.old": let it create its own.
    std::remove(log.c_str());
    // -retro gives the root window its old stipple, which no game frame
    // looks like; the log stays out of /var/log.
    return startServer({"Xorg", "-config", configFile, "-noreset", "-nolisten", "tcp", "-retro",
                        "-logfile", log},
                       log, true, 30.0);
}

XServer startXvfb(int width, int height, bool resetsWhenIdle, bool audited)
{
    std::string log = temporaryFile("xvfb-log");
    std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    std::vector<std::string> args = {"Xvfb", "-screen", "0", screen, "+extension", "GLX",
                                     "-nolisten", "tcp", "-retro"};
    if (!resetsWhenIdle) args.push_back("-noreset");
    if (audited) args.insert(args.end(), {"-audit", "4"});
    return startServer(args, log, false, 30.0);
}

void stopServer(XServer& server)
{
    if (server.pid > 0) stopProcess(server.pid, 10.0);
    server.pid = -1;
    server.display.clear();
}

GameRun::GameRun(GameRun&& other) noexcept
    : pid(std::exchange(other.pid, -1)), outputFile(std::move(other.outputFile)),
      exited(other.exited), exitCode(other.exitCode)
{
}

GameRun::~GameRun()
{
    killGame(*this);
    if (!outputFile.empty()) std::remove(outputFile.c_str());
}

GameRun startGame(const std::string& gameDir, const std::string& display, const Launch& launch)
{
    const std::string xdg = playerFolders();
    GameRun run;
    run.outputFile = temporaryFile("game-output");
    const std::string program = gameDir + "/skycourse";
    const std::string workingDir = launch.workingDir.empty() ? gameDir : launch.workingDir;
    pid_t pid = fork();
    if (pid == 0) {
        setpgid(0, 0);
        int out = open(run.outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out >= 0) {
            dup2(out, 1);
            dup2(out, 2);
            close(out);
        }
        if (launch.stderrClosed) close(2);
        if (launch.unprivileged && geteuid() == 0) {
            const gid_t nobody = 65534;
            if (setgroups(0, nullptr) != 0 || setgid(nobody) != 0 || setuid(nobody) != 0) _exit(125);
        }
        if (chdir(workingDir.c_str()) != 0) _exit(126);
        if (display.empty()) {
            unsetenv("DISPLAY");
        } else {
            setenv("DISPLAY", display.c_str(), 1);
        }
        setenv("XDG_CONFIG_HOME", (xdg + "/config").c_str(), 1);
        setenv("XDG_DATA_HOME", (xdg + "/data").c_str(), 1);
        for (const auto& [name, value] : launch.env) setenv(name.c_str(), value.c_str(), 1);
        std::vector<std::string> args = launch.wrapper;
        args.push_back(program);
        args.insert(args.end(), launch.arguments.begin(), launch.arguments.end());
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    if (pid > 0) {
        setpgid(pid, pid);
        run.pid = pid;
        watchPid(pid);
    }
    return run;
}

GameRun startGame(const std::string& gameDir, const std::string& display,
                  const std::vector<std::pair<std::string, std::string>>& env,
                  const std::vector<std::string>& arguments)
{
    Launch launch;
    launch.env = env;
    launch.arguments = arguments;
    return startGame(gameDir, display, launch);
}

bool waitForExit(GameRun& run, double seconds)
{
    if (run.exited) return true;
    if (run.pid <= 0) return false;
    int status = 0;
    bool done = waitUntil(
        [&] { return waitpid(run.pid, &status, WNOHANG) == run.pid; }, seconds);
    if (!done) return false;
    livePids().erase(run.pid);
    run.pid = -1;
    run.exited = true;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return true;
}

void killGame(GameRun& run)
{
    if (run.pid > 0) {
        int status = stopProcess(run.pid, 3.0);
        run.exited = true;
        run.exitCode = status >= 0 && WIFEXITED(status) ? WEXITSTATUS(status) : 128 + SIGKILL;
    }
    run.pid = -1;
}

std::string fileText(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string gameOutput(const GameRun& run)
{
    return fileText(run.outputFile);
}

void sleepSeconds(double seconds)
{
    std::this_thread::sleep_for(std::chrono::microseconds(long(seconds * 1e6)));
}

bool waitUntil(const std::function<bool()>& condition, double seconds)
{
    auto deadline = std::chrono::steady_clock::now() +
                    std::chrono::milliseconds(long(seconds * 1000));
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

XClient::XClient(const std::string& name) : display(XOpenDisplay(name.c_str())) {}

XClient::~XClient()
{
    if (display) XCloseDisplay(display);
}

ScreenSize currentVideoMode(Display* display)
{
    int dotClock = 0;
    XF86VidModeModeLine line{};
    if (!XF86VidModeGetModeLine(display, DefaultScreen(display), &dotClock, &line)) return {};
    if (line.privsize > 0) XFree(line.c_private);
    return {line.hdisplay, line.vdisplay};
}

Image grabScreen(Display* display, int x, int y, int width, int height)
{
    Image image;
    XImage* grabbed = XGetImage(display, DefaultRootWindow(display), x, y, unsigned(width),
                                unsigned(height), AllPlanes, ZPixmap);
    if (!grabbed) return image;
    image.width = width;
    image.height = height;
    image.pixels.resize(size_t(width) * size_t(height));
    for (int row = 0; row < height; ++row) {
        for (int col = 0; col < width; ++col) {
            image.pixels[size_t(row) * size_t(width) + size_t(col)] =
                uint32_t(XGetPixel(grabbed, col, row)) & 0xffffffu;
        }
    }
    XDestroyImage(grabbed);
    return image;
}

double differingShare(const Image& a, const Image& b, int tolerance)
{
    if (a.width != b.width || a.height != b.height || a.pixels.empty()) return 1.0;
    size_t differing = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i) {
        for (int shift : {0, 8, 16}) {
            int ca = int((a.pixels[i] >> shift) & 0xffu);
            int cb = int((b.pixels[i] >> shift) & 0xffu);
            if (std::abs(ca - cb) > tolerance) {
                ++differing;
                break;
            }
        }
    }
    return double(differing) / double(a.pixels.size());
}

int distinctColours(const Image& image, int limit)
{
    std::set<uint32_t> colours;
    for (uint32_t p : image.pixels) {
        colours.insert(p);
        if (int(colours.size()) >= limit) break;
    }
    return int(colours.size());
}

bool writePpm(const Image& image, const std::string& path)
{
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << image.width << " " << image.height << "\n255\n";
    for (uint32_t p : image.pixels) {
        const char rgb[3] = {char((p >> 16) & 0xffu), char((p >> 8) & 0xffu), char(p & 0xffu)};
        out.write(rgb, 3);
    }
    return bool(out);
}

void pressKey(Display* display, unsigned long keysym)
{
    XTestFakeKeyEvent(display, XKeysymToKeycode(display, keysym), True, CurrentTime);
    XFlush(display);
}

void releaseKey(Display* display, unsigned long keysym)
{
    XTestFakeKeyEvent(display, XKeysymToKeycode(display, keysym), False, CurrentTime);
    XFlush(display);
}

void tapKey(Display* display, unsigned long keysym)
{
    pressKey(display, keysym);
    sleepSeconds(0.05);
    releaseKey(display, keysym);
}

void movePointer(Display* display, int x, int y)
{
    XTestFakeMotionEvent(display, DefaultScreen(display), x, y, CurrentTime);
    XFlush(display);
}

std::vector<WindowBox> viewableTopWindows(Display* display)
{
    std::vector<WindowBox> found;
    Window root = DefaultRootWindow(display);
    Window rootReturn = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, root, &rootReturn, &parent, &children, &count)) return found;
    for (unsigned int i = 0; i < count; ++i) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, children[i], &attributes) &&
            attributes.map_state == IsViewable) {
            found.push_back({children[i], attributes.x, attributes.y, attributes.width,
                             attributes.height});
        }
    }
    if (children) XFree(children);
    return found;
}

void askToClose(Display* display, unsigned long window)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}

}  // namespace e2e
