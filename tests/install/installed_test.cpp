// The game as it is installed: every file where Debian puts a game's files,
// and the installed programs run from folders that are neither the build's
// nor the source tree. `make test` checks a staging copy (DESTDIR); the
// package test points SKYCOURSE_INSTALL_ROOT at / once apt has installed
// the package, and the game then runs as an ordinary user.

#include <X11/keysym.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <png.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "assets/media_manifest.h"
#include "tests/e2e/e2e_checks.h"
#include "tests/support/media_files.h"

namespace {

namespace fs = std::filesystem;
using namespace e2e;

bool systemInstall()
{
    const char* root = std::getenv("SKYCOURSE_INSTALL_ROOT");
    return root != nullptr && *root != '\0';
}

fs::path prefix() { return fs::path(systemInstall() ? std::getenv("SKYCOURSE_INSTALL_ROOT") : SKYCOURSE_STAGE) / "usr"; }
fs::path installedData() { return prefix() / "share/games/skycourse"; }

std::string fileBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

struct Ran {
    int status = -1;  // the exit code, 128 + signal when killed
    std::string out;
    std::string err;
};

// Runs a program in a folder with DISPLAY as given (empty: none) and a few
// more variables, its two outputs kept apart.
Ran runProgram(const std::vector<std::string>& args, const std::string& folder, const std::string& display = "",
               const std::vector<std::pair<std::string, std::string>>& env = {})
{
    const std::string outFile = folder + "/.out", errFile = folder + "/.err";
    const pid_t child = fork();
    if (child == 0) {
        const int out = open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0 || err < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0 || chdir(folder.c_str()) != 0) _exit(126);
        if (display.empty()) {
            unsetenv("DISPLAY");
        } else {
            setenv("DISPLAY", display.c_str(), 1);
        }
        for (const auto& [name, value] : env) setenv(name.c_str(), value.c_str(), 1);
        std::vector<char*> argv;
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    Ran ran;
    int status = 0;
    if (child > 0 && waitpid(child, &status, 0) == child)
        ran.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    ran.out = fileBytes(outFile);
    ran.err = fileBytes(errFile);
    fs::remove(outFile);
    fs::remove(errFile);
    return ran;
}

struct Png {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgba;
};

Png readPng(const fs::path& path)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    Png png;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return png;
    image.format = PNG_FORMAT_RGBA;
    std::vector<unsigned char> pixels(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
        png.width = int(image.width);
        png.height = int(image.height);
        png.rgba = std::move(pixels);
    }
    png_image_free(&image);
    return png;
}

Image opaqueImage(const Png& png)
{
    Image image{png.width, png.height, {}};
    for (size_t i = 0; i + 3 < png.rgba.size(); i += 4)
        image.pixels.push_back(uint32_t(png.rgba[i]) << 16 | uint32_t(png.rgba[i + 1]) << 8 | png.rgba[i + 2]);
    return image;
}

// An installed man page, compressed as a package ships it or not.
fs::path manPage(const std::string& name)
{
    const fs::path page = prefix() / "share/man/man6" / (name + ".6");
    return fs::exists(page) ? page : fs::path(page.string() + ".gz");
}

TEST(Installed, EveryFileIsWhereDebianPutsAGamesFilesAndNothingElse)
{
    std::set<fs::path> expected = {"games/skycourse", "games/skycourse-replay", "share/applications/skycourse.desktop",
                                   "share/metainfo/skycourse.metainfo.xml"};
    for (const char* picture : pictureFiles) expected.insert(fs::path("share/games/skycourse/images") / picture);
    for (const char* sound : soundFiles) expected.insert(fs::path("share/games/skycourse/sounds") / sound);
    expected.insert("share/games/skycourse/courses/ascent.course");
    for (const fs::directory_entry& course : fs::directory_iterator(fs::path(SKYCOURSE_SOURCE_DIR) / "courses"))
        if (course.path().extension() == ".course")
            expected.insert(fs::path("share/games/skycourse/courses") / course.path().filename());
    for (const fs::directory_entry& shader : fs::directory_iterator(fs::path(SKYCOURSE_SOURCE_DIR) / "shaders"))
        expected.insert(fs::path("share/games/skycourse/shaders") / shader.path().filename());
    for (const char* size : {"48x48", "128x128", "256x256"})
        expected.insert(fs::path("share/icons/hicolor") / size / "apps/skycourse.png");
    for (const char* page : {"skycourse", "skycourse-replay"})
        expected.insert(manPage(page).lexically_relative(prefix()));

    std::set<fs::path> found;
    if (systemInstall()) {
        std::istringstream listed(runProgram({"dpkg-query", "-L", "skycourse"}, "/tmp").out);
        for (std::string line; std::getline(listed, line);)
            if (fs::is_regular_file(line) || fs::is_symlink(line)) found.insert(fs::path(line).lexically_relative(prefix()));
        // The package's own papers, which Debian asks of every package.
        for (const char* doc : {"share/doc/skycourse/copyright", "share/doc/skycourse/changelog.gz"})
            expected.insert(doc);
    } else {
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(prefix()))
            if (!entry.is_directory()) found.insert(entry.path().lexically_relative(prefix()));
    }
    for (const fs::path& file : expected) EXPECT_TRUE(found.count(file)) << "missing: " << file;
    for (const fs::path& file : found) EXPECT_TRUE(expected.count(file)) << "not expected: " << file;

    for (const char* program : {"games/skycourse", "games/skycourse-replay"})
        EXPECT_EQ(access((prefix() / program).c_str(), X_OK), 0) << program;
    // The very media the build made.
    for (const char* picture : pictureFiles)
        EXPECT_TRUE(fileBytes(installedData() / "images" / picture) == fileBytes(fs::path(SKYCOURSE_GAME_DIR) / "images" / picture))
            << picture;
}

TEST(Installed, IconsAreTheBallOnTheRingAtEachSizeOnAClearGround)
{
    for (int size : {48, 128, 256}) {
        SCOPED_TRACE(size);
        const std::string name = std::to_string(size) + "x" + std::to_string(size);
        const Png icon = readPng(prefix() / "share/icons/hicolor" / name / "apps/skycourse.png");
        ASSERT_EQ(icon.width, size);
        ASSERT_EQ(icon.height, size);
        auto alpha = [&](int x, int y) { return icon.rgba[(size_t(y) * size + x) * 4 + 3]; };
        // The corners are clear; the middle, where the ball is, is solid and
        // coloured; about half the square is covered.
        EXPECT_EQ(alpha(0, 0) + alpha(size - 1, 0) + alpha(0, size - 1) + alpha(size - 1, size - 1), 0);
        EXPECT_EQ(alpha(size / 2, size / 2), 255);
        int covered = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) covered += alpha(x, y) > 127;
        EXPECT_GT(covered, size * size / 4);
        EXPECT_LT(covered, size * size * 3 / 4);
        EXPECT_GE(distinctColours(opaqueImage(icon), 64), 32) << "a flat shape, not a shaded ball and ring";
    }
}

TEST(Installed, HelpRunsFromAFolderOutsideTheSourceTree)
{
    ScratchDir folder;
    const Ran ran = runProgram({(prefix() / "games/skycourse").string(), "--help"}, folder.path);
    EXPECT_EQ(ran.status, 0) << ran.err;
    EXPECT_EQ(ran.out.rfind("usage: skycourse ", 0), 0u) << ran.out;
    EXPECT_EQ(ran.err, "");
}

TEST(Installed, ReplayToolPlaysAScriptInAnotherFolderToTheBuildsRows)
{
    ScratchDir folder;
    std::ofstream(folder.path + "/roll.replay")
        << "# forward a quarter second, then a jump\nspecial down UP\ntick 10\nkey down 13\ntick 2\n"
           "key up 13\nspecial up UP\nitems\n";
    const Ran installed = runProgram({(prefix() / "games/skycourse-replay").string(), "roll.replay"}, folder.path);
    const Ran built = runProgram({std::string(SKYCOURSE_GAME_DIR) + "/skycourse-replay", "roll.replay"}, folder.path);
    EXPECT_EQ(installed.status, 0) << installed.err;
    EXPECT_EQ(installed.err, "");
    EXPECT_EQ(std::count(installed.out.begin(), installed.out.end(), '\n'), 1 + 12 + 3) << installed.out;
    EXPECT_EQ(installed.out, built.out);
}

TEST(Installed, GameStartedFromTheRootFolderDrawsTheStartViewAndEndsOnEsc)
{
    const int width = 1280, height = 1024;  // the replay tool's shot
    START_XVFB(server, x, width, height);
    // The start view as the installed tool draws it must be the build's own
    // (a tool that found no media would draw checkers).
    ScratchDir folder;
    std::ofstream(folder.path + "/start.replay") << "shot installed.png\n";
    std::ofstream(folder.path + "/built.replay") << "shot built.png\n";
    const Ran installedShot =
        runProgram({(prefix() / "games/skycourse-replay").string(), "start.replay"}, folder.path, server.display);
    ASSERT_EQ(installedShot.status, 0) << installedShot.err;
    const Ran builtShot =
        runProgram({std::string(SKYCOURSE_GAME_DIR) + "/skycourse-replay", "built.replay"}, folder.path, server.display);
    ASSERT_EQ(builtShot.status, 0) << builtShot.err;
    const Image shot = opaqueImage(readPng(folder.path + "/installed.png"));
    ASSERT_EQ(shot.width, width);
    EXPECT_LT(differingShare(shot, opaqueImage(readPng(folder.path + "/built.png")), 2), 0.001);

    Image root = grabScreen(x.display, 0, 0, width, height);
    Launch launch;
    launch.workingDir = "/";
    launch.env = {{"SDL_AUDIODRIVER", "dummy"}};
    // The package is played as a player plays it: in a window, as an
    // ordinary user. The window is the shot's size, at the screen's corner
    // with no window manager to move it.
    if (systemInstall()) {
        launch.unprivileged = true;
        launch.arguments = {"--window"};
    }
    GameRun game = startGame((prefix() / "games").string(), server.display, launch);
    ASSERT_TRUE(waitUntil([&] { return framesDrawn(x.display, root, width, height); }, 90)) << describe(server, game);
    // The discs sway and the ring turns while the game runs, and the
    // window's pixels are not the offscreen framebuffer's: most of the
    // picture, not every pixel. A missing picture or shader, or another
    // view, changes far more than this.
    sleepSeconds(0.5);
    const Image screen = grabScreen(x.display, 0, 0, width, height);
    const double differing = differingShare(screen, shot, 24);
    EXPECT_LT(differing, 0.1) << "screen in /tmp/skycourse-installed-screen.ppm"
                              << (writePpm(screen, "/tmp/skycourse-installed-screen.ppm") ? "" : " (not written)");
    expectEscEndsTheGame(x.display, game, server);
    EXPECT_EQ(gameOutput(game), "") << "the game said something: a file not found?";
}

TEST(Installed, ManPagesRenderWithoutWarningsAndNameEveryOptionOfHelp)
{
    ScratchDir folder;
    std::string pages;
    for (const char* name : {"skycourse", "skycourse-replay"}) {
        const Ran man = runProgram({"man", "--warnings", "-l", manPage(name).string()}, folder.path, "",
                                   {{"MANWIDTH", "80"}});
        EXPECT_EQ(man.status, 0) << name;
        EXPECT_EQ(man.err, "") << name;
        EXPECT_NE(man.out.find("NAME"), std::string::npos) << name;
        pages += man.out;
    }
    if (systemInstall()) {
        const Ran byName = runProgram({"man", "skycourse"}, folder.path, "", {{"MANWIDTH", "80"}});
        EXPECT_EQ(byName.status, 0) << byName.err;
        EXPECT_NE(byName.out.find("SKYCOURSE(6)"), std::string::npos);
    }
    // Every option --help lists, as the man page spells it: a new option
    // the page does not describe fails here.
    const Ran help = runProgram({(prefix() / "games/skycourse").string(), "--help"}, folder.path);
    const std::regex optionLine("^  (--[a-z][a-z-]*)");
    std::istringstream lines(help.out);
    int options = 0;
    for (std::string line; std::getline(lines, line);) {
        std::smatch m;
        if (!std::regex_search(line, m, optionLine)) continue;
        ++options;
        // An entry of OPTIONS starts its line at the section's indent.
        EXPECT_TRUE(std::regex_search(pages, std::regex("\n {7}" + m[1].str() + "([^a-z-]|$)")))
            << m[1] << " is not in the man page";
    }
    EXPECT_GE(options, 8) << help.out;
}

TEST(Installed, MenuEntryAndMetadataNameTheInstalledProgramAndIcon)
{
    ScratchDir folder;
    const fs::path desktop = prefix() / "share/applications/skycourse.desktop";
    const Ran entry = runProgram({"desktop-file-validate", desktop.string()}, folder.path);
    EXPECT_EQ(entry.status, 0);
    EXPECT_EQ(entry.out + entry.err, "");
    const std::string text = fileBytes(desktop);
    EXPECT_NE(text.find("\nName=Skycourse\n"), std::string::npos);
    // The menu starts the program by name, from the games folder on PATH.
    EXPECT_NE(text.find("\nExec=skycourse\n"), std::string::npos);
    EXPECT_NE(text.find("\nIcon=skycourse\n"), std::string::npos);

    // AppStream's one complaint is the id, which is not a reversed domain
    // name: the game has no domain of its own.
    const Ran metadata =
        runProgram({"appstreamcli", "validate", "--no-net", (prefix() / "share/metainfo/skycourse.metainfo.xml").string()},
                   folder.path);
    std::istringstream report(metadata.out + metadata.err);
    for (std::string line; std::getline(report, line);) {
        EXPECT_FALSE(line.starts_with("E:")) << line;
        if (line.starts_with("W:")) {
            EXPECT_NE(line.find("cid-desktopapp-is-not-rdns"), std::string::npos) << line;
        }
    }
    EXPECT_NE(fileBytes(prefix() / "share/metainfo/skycourse.metainfo.xml").find("version=\"" SKYCOURSE_VERSION "\""),
              std::string::npos);
}

}  // namespace
