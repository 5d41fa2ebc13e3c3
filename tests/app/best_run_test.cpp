// The best run kept beside times.json: the run as it was played, written
// only on a new best, whole whatever step the writer dies at, and a damaged
// file moved aside and named.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/race/best_run.h"
#include "app/script/script.h"
#include "tests/app/ghost_scripts.h"

namespace fs = std::filesystem;

namespace {

struct Folder {
    fs::path path;
    Folder()
    {
        char name[] = "/tmp/skycourse-best-run-XXXXXX";
        path = mkdtemp(name);
    }
    ~Folder() { fs::remove_all(path); }
    std::string file(const char* name) const { return (path / name).string(); }
};

std::string text(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

// A player's run: each line acted on in the game and noted in the run's
// script as the game notes it; mouse lines in a 640x512 window.
struct PlayedRun {
    Game game = newScriptGame();
    Input input;
    RunScript script;
    ScriptScreen window{640, 512};

    void act(const ScriptCommand& command)
    {
        if (command.kind == ScriptKind::Restart) {
            restartScript(game, input);
        } else {
            applyScriptInput(command, input, game.camera, window);
        }
        noteRunInput(script, command);
    }
    void point(int x, int y)
    {
        applyScriptInput({ScriptKind::Mouse, x, y, {}}, input, game.camera, window);
        noteRunPointer(script, x, y, window.width, window.height);
    }
    void tick(int ticks)
    {
        for (int i = 0; i < ticks; ++i) {
            advanceTick(game, input.controls);
            noteRunTick(script);
        }
    }
};

TEST(BestRun, TheRunSinceTheLastRestartReplaysAsItWasPlayed)
{
    PlayedRun run;
    run.act({ScriptKind::KeyDown, 'p', 0, {}});
    run.point(500, 200);
    run.act({ScriptKind::SpecialDown, 0x65, 0, {}});
    run.tick(30);
    run.act({ScriptKind::Restart, 0, 0, {}});
    run.act({ScriptKind::KeyDown, 'p', 0, {}});
    // The first mouse line after the restart needs the window's size again.
    run.point(420, 300);
    run.act({ScriptKind::SpecialDown, 0x65, 0, {}});
    run.tick(25);
    run.point(200, 250);
    run.act({ScriptKind::KeyDown, 13, 0, {}});
    run.tick(12);

    const std::string spelt = spellRunScript(run.script);
    EXPECT_EQ(spelt.find("restart"), std::string::npos) << spelt;
    EXPECT_EQ(spelt.rfind("window 640 512\n", 0), std::string::npos) << "keys come first";
    EXPECT_NE(spelt.find("window 640 512\nmouse 420 300\n"), std::string::npos) << spelt;
    EXPECT_NE(spelt.find("tick 25\n"), std::string::npos) << "ticks folded into one line";
    Ghost ghost = ghostOfText(spelt);
    for (int i = 0; i < 37; ++i) advanceGhost(ghost);
    EXPECT_EQ(ghost.game, run.game);
}

// The route's script as a run that reached the ring, and its marks.
struct RouteRun {
    RunScript script;
    RunMarks marks;
    RouteRun()
    {
        const Ghost ghost = routeGhost();
        script.commands = commandsOf(ghost.script.lines);
        marks = ghost.marks;
    }
};

TEST(BestRun, ItIsWrittenOnANewBestOnlyAndRacesAsTheGhostAfter)
{
    const RouteRun route;
    Folder folder;
    const std::string best = bestRunPath(folder.path.string());
    const struct {
        int64_t ms;
        bool newBest;
    } runs[] = {{240000, true}, {250000, false}, {240000, false}, {230000, true}};
    std::string before;
    for (size_t i = 0; i < std::size(runs); ++i) {
        RunScript script = route.script;
        script.commands.push_back({ScriptKind::KeyDown, int(i), 0, {}});
        const FinishedRun finished =
            keepFinishedRun(folder.path.string(), {runs[i].ms, "today"}, script, route.marks);
        EXPECT_EQ(finished.recorded.problem, "");
        EXPECT_EQ(finished.recorded.newBest, runs[i].newBest) << i;
        const std::string now = text(best);
        EXPECT_EQ(now == spellBestRun(script, route.marks), runs[i].newBest) << i;
        if (!runs[i].newBest) {
            EXPECT_EQ(now, before) << i;
        }
        before = now;
    }
    EXPECT_EQ(before.rfind("# skycourse: the best run, 3:54.95 (9398 ticks)\n# checkpoints at ticks ", 0), 0u);

    Ghost ghost;
    std::string problem;
    ASSERT_TRUE(loadBestRun(folder.path.string(), ghost, problem)) << problem;
    EXPECT_EQ(ghost.marks, route.marks);
    EXPECT_EQ(ghost.script.lines.size(), route.script.commands.size() + 1);
}

TEST(BestRun, TheFastestStretchesOfEveryFinishedRunAreKept)
{
    Folder folder;
    const RunScript script;
    const RunMarks first{{100, 300, 600}, 1000};
    const RunMarks second{{120, 280, 650}, 1010};
    keepFinishedRun(folder.path.string(), {25000, "a"}, script, first);
    const FinishedRun finished = keepFinishedRun(folder.path.string(), {25250, "b"}, script, second);
    EXPECT_FALSE(finished.recorded.newBest);
    const std::vector<int64_t> fastest = {2500, 4000, 7500, 9000};
    EXPECT_EQ(finished.fastest, fastest);
    std::vector<int64_t> stored;
    ASSERT_TRUE(parseFastestStretches(text(fastestStretchesPath(folder.path.string())), 4, stored));
    EXPECT_EQ(stored, fastest);

    const struct {
        const char* text;
        bool good;
    } cases[] = {
        {"# a comment\n\n0 0 0 0", true},
        {"1 2 3\n", false},
        {"1 2 3 4\n1 2 3 4\n", false},
        {"1 -2 3 99999999999999999999\n", false},
        {"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseFastestStretches(c.text, 4, stored), c.good);
    }
}

// Any file of ours a game left behind: the old file or the new one, whole.
struct Written {
    std::string times, best, stretches;
    bool operator==(const Written&) const = default;
};

Written writtenIn(const Folder& folder)
{
    return {text(folder.file("times.json")), text(folder.file("best.replay")),
            text(folder.file("fastest-stretches.txt"))};
}

TEST(BestRun, AWriterKilledAtAnyStepLeavesEveryFileWhole)
{
    struct {
        RunScript script{{{ScriptKind::SpecialDown, 0x65, 0, {}}, {ScriptKind::Tick, 9398, 0, {}}}, {}, {}};
        RunMarks marks{{300, 500, 700}, 9398};
    } route;
    RunScript slower{{{ScriptKind::KeyDown, 13, 0, {}}, {ScriptKind::Tick, 9500, 0, {}}}, {}, {}};
    const RunMarks slowerMarks{{200, 400, 600}, 9500};

    // How many steps a whole write takes, and what it leaves.
    static int steps;
    steps = 0;
    Written before, after;
    {
        Folder folder;
        keepFinishedRun(folder.path.string(), {237500, "a"}, slower, slowerMarks);
        before = writtenIn(folder);
        keepFinishedRun(folder.path.string(), {234950, "b"}, route.script, route.marks,
                        [](WriteStep) { ++steps; });
        after = writtenIn(folder);
    }
    ASSERT_NE(before.best, after.best);
    ASSERT_EQ(steps, 1 + 3 * 7) << "the lock, then three files in seven steps each";

    for (int step = 0; step < steps; ++step) {
        SCOPED_TRACE(step);
        Folder folder;
        keepFinishedRun(folder.path.string(), {237500, "a"}, slower, slowerMarks);
        static int dieAt;
        dieAt = step;
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            keepFinishedRun(folder.path.string(), {234950, "b"}, route.script, route.marks, [](WriteStep) {
                if (dieAt-- == 0) _exit(0);
            });
            _exit(1);
        }
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the writer reached the step";

        const Written left = writtenIn(folder);
        EXPECT_TRUE(left.times == before.times || left.times == after.times);
        EXPECT_TRUE(left.best == before.best || left.best == after.best);
        EXPECT_TRUE(left.stretches == before.stretches || left.stretches == after.stretches);
        const FinishedRun next = keepFinishedRun(folder.path.string(), {300000, "c"}, slower, slowerMarks);
        EXPECT_EQ(next.recorded.problem, "") << "the lock of the dead writer went with it";
        size_t temporary = 0;
        for (const auto& entry : fs::directory_iterator(folder.path)) {
            temporary += entry.path().filename().string().find(".replay.") != std::string::npos;
        }
        EXPECT_LE(temporary, 1u) << "at most the dead writer's own temporary file";
    }
}

TEST(BestRun, ADamagedBestRunIsKeptAsideAndTheGameGoesOnWithoutAGhost)
{
    const std::string damaged[] = {
        "special down UP\ntick 3\nfly away\n",
        "special down UP\ntick 300\n",  // cut short: never reaches the ring
        std::string(largestGhostScript + 10, '#'),
    };
    for (const std::string& content : damaged) {
        Folder folder;
        std::ofstream(folder.file("best.replay"), std::ios::binary) << content;
        Ghost ghost;
        std::string problem;
        EXPECT_FALSE(loadBestRun(folder.path.string(), ghost, problem));
        EXPECT_EQ(problem.find('\n'), std::string::npos);
        EXPECT_NE(problem.find(folder.file("best.replay")), std::string::npos) << problem;
        const size_t kept = problem.find("kept as ");
        ASSERT_NE(kept, std::string::npos) << problem;
        EXPECT_EQ(text(problem.substr(kept + 8)), content) << "kept as it was, at the path named";
        EXPECT_FALSE(fs::exists(folder.file("best.replay")));
        EXPECT_TRUE(loadBestRun(folder.path.string(), ghost, problem) == false && problem.empty())
            << "no second complaint: " << problem;
    }

    // A player who has never finished: no file, no complaint, nothing made.
    {
        Folder fresh;
        Ghost ghost;
        std::string problem = "before";
        EXPECT_FALSE(loadBestRun((fresh.path / "never made").string(), ghost, problem));
        EXPECT_EQ(problem, "");
        EXPECT_FALSE(fs::exists(fresh.path / "never made"));
    }

    Folder folder;
    std::ofstream(folder.file("fastest-stretches.txt")) << "not numbers\n";
    const FinishedRun finished = keepFinishedRun(folder.path.string(), {25000, "a"}, {}, {{100, 300, 600}, 1000});
    EXPECT_NE(finished.recorded.problem.find("fastest-stretches.txt could not be read"), std::string::npos);
    EXPECT_EQ(finished.fastest, (std::vector<int64_t>{2500, 5000, 7500, 10000})) << "a new one started";
}

}  // namespace
