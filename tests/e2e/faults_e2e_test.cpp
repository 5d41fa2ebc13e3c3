// The real game under conditions a new user or a hostile file brings: started
// from another folder, with stderr closed, on a server that resets, with
// Shift+arrow held under auto-repeat, with every media file broken in turn,
// in a read-only folder without a sound device.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "assets/media_manifest.h"
#include "tests/e2e/e2e_checks.h"
#include "tests/e2e/harness.h"

// After gtest: Xlib's macros (None, Bool) clash with its names.
#include <X11/XKBlib.h>
#include <X11/keysym.h>

using namespace e2e;
namespace fs = std::filesystem;

namespace {

// Small, so that llvmpipe draws quickly; Xvfb cannot switch to game mode.
constexpr int screenWidth = 320;
constexpr int screenHeight = 240;

// SDL's audio driver by name: "dummy" plays into nothing, "none" is no
// driver at all (sound off, with one line).
Launch withAudio(const char* driver)
{
    Launch launch;
    launch.env = {{"SDL_AUDIODRIVER", driver}};
    return launch;
}

size_t occurrences(const std::string& text, const std::string& word)
{
    size_t count = 0;
    for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) ++count;
    return count;
}

// Starts the game on its own Xvfb, waits for a drawn frame, ends it with Esc
// and hands back what it printed.
std::string playUntilDrawnThenQuit(const std::string& dir, const Launch& launch)
{
    XServer server = startXvfb(screenWidth, screenHeight);
    EXPECT_FALSE(server.display.empty()) << "Xvfb did not start";
    if (server.display.empty()) return "";
    XClient x(server.display);
    Image root = grabScreen(x.display, 0, 0, screenWidth, screenHeight);
    GameRun game = startGame(dir, server.display, launch);
    const bool drawn =
        waitUntil([&] { return framesDrawn(x.display, root, screenWidth, screenHeight, 0.5); }, 90);
    if (!drawn) {
        const Image now = grabScreen(x.display, 0, 0, screenWidth, screenHeight);
        writePpm(now, "/tmp/skycourse-e2e-not-drawn.ppm");
        ADD_FAILURE() << "no game frame reached the screen (" << distinctColours(now, 64) << " colours, "
                      << differingShare(root, now) << " changed; /tmp/skycourse-e2e-not-drawn.ppm)"
                      << describe(server, game);
    }
    expectEscEndsTheGame(x.display, game, server);
    return gameOutput(game);
}

// The game's folder copied, to be damaged or locked; removed afterwards.
struct GameCopy {
    std::string dir;
    GameCopy()
    {
        char name[] = "/tmp/skycourse-e2e-copy-XXXXXX";
        dir = mkdtemp(name);
        for (const char* part : {"skycourse", "images", "sounds", "shaders"})
            fs::copy(gameDir + "/" + part, dir + "/" + part, fs::copy_options::recursive);
        fs::permissions(dir, fs::perms(0755));
    }
    ~GameCopy()
    {
        std::error_code ignored;
        fs::permissions(dir, fs::perms(0755), ignored);
        fs::remove_all(dir, ignored);
    }
    GameCopy(const GameCopy&) = delete;
    GameCopy& operator=(const GameCopy&) = delete;
};

// The ways a media file can be broken, and one more for "left alone".
enum class Damage { Deleted, Truncated, WrongHeader, RandomBytes, Intact };
constexpr int damageKinds = 5;

std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void damage(const std::string& path, Damage kind, std::mt19937& random)
{
    std::string bytes = readAll(path);
    const bool shader = path.ends_with(".vs") || path.ends_with(".fs");
    switch (kind) {
    case Damage::Intact:
        return;
    case Damage::Deleted:
        fs::remove(path);
        return;
    case Damage::Truncated:
        // Within the header of a picture or sound, mid-source for a shader.
        bytes.resize(shader ? bytes.size() / 2 : 10);
        break;
    case Damage::WrongHeader:
        if (shader) {
            bytes.replace(bytes.find("#version 120"), 12, "#version 999");
        } else if (path.ends_with(".bmp")) {
            bytes.replace(14, 4, "\xff\xff\xff\xff");  // no such info header
        } else {
            bytes.replace(0, 4, "JUNK");  // neither RIFF nor an MPEG frame
        }
        break;
    case Damage::RandomBytes:
        for (char& c : bytes) c = char(random());
        break;
    }
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

TEST(GameFaults, StartedFromAnotherFolderItFindsItsMediaAndSaysNothing)
{
    // Every picture, sound and shader found beside the executable; and no
    // game-mode warning from freeglut where the mode cannot be had.
    Launch launch = withAudio("dummy");
    launch.workingDir = "/";
    const std::string output = playUntilDrawnThenQuit(gameDir, launch);
    EXPECT_EQ(output, "");
}

TEST(GameFaults, WithStderrClosedItStillAnswersEsc)
{
    // No sound device here: the game has a line to say, which must not go
    // into its X connection.
    Launch launch = withAudio("none");
    launch.stderrClosed = true;
    playUntilDrawnThenQuit(gameDir, launch);
}

TEST(GameFaults, EveryMediaFileBrokenEveryWayIsNamedOnceAndTheGameStillRuns)
{
    std::vector<std::string> files;
    for (const char* picture : pictureFiles) files.push_back(std::string("images/") + picture);
    for (const char* sound : soundFiles) files.push_back(std::string("sounds/") + sound);
    files.push_back("shaders/phong.vs");
    files.push_back("shaders/phong.fs");

    // Run r breaks file i in way (i + r) mod 5: over the runs every file is
    // broken every way once and left alone once.
    for (int run = 0; run < damageKinds; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        GameCopy copy;
        std::mt19937 random(unsigned(run + 1));
        std::vector<Damage> kinds;
        for (size_t i = 0; i < files.size(); ++i) {
            kinds.push_back(Damage((i + size_t(run)) % damageKinds));
            damage(copy.dir + "/" + files[i], kinds.back(), random);
        }
        const std::string output = playUntilDrawnThenQuit(copy.dir, withAudio("dummy"));
        for (size_t i = 0; i < files.size(); ++i) {
            EXPECT_EQ(occurrences(output, files[i]), kinds[i] == Damage::Intact ? 0u : 1u)
                << files[i] << " broken way " << int(kinds[i]) << "\n" << output;
        }
        for (char c : output) ASSERT_TRUE(c == '\n' || (c >= 0x20 && c < 0x7f)) << output;
    }
}

TEST(GameFaults, ReadOnlyFolderAndNoSoundDeviceStillPlay)
{
    GameCopy copy;
    // As nobody when run as root, for whom the mode means nothing.
    fs::permissions(copy.dir, fs::perms(0555));
    Launch launch;
    launch.unprivileged = true;
    const std::string output = playUntilDrawnThenQuit(copy.dir, launch);
    EXPECT_EQ(occurrences(output, "\n"), 1u) << output;
    EXPECT_EQ(output.rfind("skycourse: sound is off: ", 0), 0u) << output;
}

TEST(GameFaults, HeldShiftArrowTurnsTheViewOnceWhateverTheAutoRepeat)
{
    XServer server = startXvfb(screenWidth, screenHeight);
    ASSERT_FALSE(server.display.empty());
    XClient x(server.display);
    // A slow repeat, so that a hold of about a second repeats once or twice
    // (each a further quarter turn before the fault was mended).
    XAutoRepeatOn(x.display);
    ASSERT_TRUE(XkbSetAutoRepeatRate(x.display, XkbUseCoreKbd, 300, 500));
    XSync(x.display, False);
    Image root = grabScreen(x.display, 0, 0, screenWidth, screenHeight);
    GameRun game = startGame(gameDir, server.display, withAudio("none"));
    ASSERT_TRUE(waitUntil([&] { return framesDrawn(x.display, root, screenWidth, screenHeight); }, 90))
        << describe(server, game);

    auto grab = [&] { return grabScreen(x.display, 0, 0, screenWidth, screenHeight); };
    auto shiftArrow = [&](unsigned long arrow, double seconds) {
        pressKey(x.display, XK_Shift_L);
        pressKey(x.display, arrow);
        sleepSeconds(seconds);
        releaseKey(x.display, arrow);
        releaseKey(x.display, XK_Shift_L);
        sleepSeconds(1.0);
    };
    sleepSeconds(1.0);
    const Image start = grab();
    sleepSeconds(1.0);
    const Image idle = grab();
    // Held left, then one tap right: back where it started.
    shiftArrow(XK_Left, 1.2);
    shiftArrow(XK_Right, 0.05);
    const Image back = grab();
    // One more tap left, to see how much a real quarter turn changes.
    shiftArrow(XK_Left, 0.05);
    const Image turned = grab();

    const double idleChange = differingShare(start, idle);
    const double backChange = differingShare(idle, back);
    const double turnChange = differingShare(back, turned);
    // A quarter turn away changes most of the picture (three quarters of
    // it here); back where it started, only the swaying discs and the ring
    // have moved, however long the test took.
    EXPECT_GT(turnChange, 0.5) << "a quarter turn barely changed the picture";
    EXPECT_LT(backChange, std::max(0.25, 3.0 * idleChange))
        << "idle " << idleChange << ", after the hold and a turn back " << backChange
        << ", a quarter turn " << turnChange << "; pictures in "
        << [&] {
               for (const auto& [name, image] : {std::pair{"start", &start}, {"back", &back}, {"turned", &turned}})
                   writePpm(*image, std::string("/tmp/skycourse-e2e-turn-") + name + ".ppm");
               return std::string("/tmp/skycourse-e2e-turn-*.ppm");
           }();
    expectEscEndsTheGame(x.display, game, server);
}

// True when a process's X connections, in the order the server's audit log
// saw them, overlap: each made while another of them was still open. A
// probe closed before GLUT connects would leave a moment with none, when a
// server that resets on its last client leaving resets under GLUT.
bool connectionsOverlap(const std::string& auditLog, pid_t pid, int& made)
{
    const std::regex connected("client ([0-9]+) connected from .*pid=([0-9]+) ");
    const std::regex disconnected("client ([0-9]+) disconnected");
    std::set<int> open;
    bool gap = false;
    made = 0;
    std::istringstream lines(auditLog);
    for (std::string line; std::getline(lines, line);) {
        std::smatch m;
        if (std::regex_search(line, m, connected) && std::stoi(m[2]) == pid) {
            if (made++ > 0 && open.empty()) gap = true;
            open.insert(std::stoi(m[1]));
        } else if (std::regex_search(line, m, disconnected)) {
            open.erase(std::stoi(m[1]));
        }
    }
    return made >= 2 && !gap;
}

TEST(GameFaults, TheDisplayProbeStaysConnectedUntilGlutHasConnected)
{
    XServer server = startXvfb(screenWidth, screenHeight, true, true);
    ASSERT_FALSE(server.display.empty());
    int made = 0;

    // The replay tool's shot starts GLUT the way the game does.
    char name[] = "/tmp/skycourse-e2e-probe-XXXXXX";
    const std::string dir = mkdtemp(name);
    const std::string script = dir + "/shot.replay";
    std::ofstream(script) << "tick\nshot " << dir << "/shot.png\n";
    const pid_t tool = fork();
    if (tool == 0) {
        setenv("DISPLAY", server.display.c_str(), 1);
        execl((gameDir + "/skycourse-replay").c_str(), "skycourse-replay", script.c_str(), (char*)nullptr);
        _exit(127);
    }
    int status = 0;
    ASSERT_EQ(waitpid(tool, &status, 0), tool);
    fs::remove_all(dir);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_TRUE(connectionsOverlap(fileText(server.logFile), tool, made))
        << made << " connections\n" << fileText(server.logFile);

    XClient x(server.display);
    Image root = grabScreen(x.display, 0, 0, screenWidth, screenHeight);
    GameRun game = startGame(gameDir, server.display, withAudio("none"));
    const pid_t gamePid = game.pid;
    ASSERT_TRUE(waitUntil([&] { return framesDrawn(x.display, root, screenWidth, screenHeight); }, 90))
        << describe(server, game);
    expectEscEndsTheGame(x.display, game, server);
    EXPECT_TRUE(connectionsOverlap(fileText(server.logFile), gamePid, made))
        << made << " connections\n" << fileText(server.logFile);
}

}  // namespace
