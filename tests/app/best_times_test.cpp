// times.json: what reads as best times and what is damaged, and a write that
// loses nothing when the writer dies at any step or another game writes too.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/race/best_run.h"
#include "app/race/best_times.h"

namespace fs = std::filesystem;

namespace {

struct Folder {
    fs::path path;
    Folder()
    {
        char name[] = "/tmp/skycourse-times-XXXXXX";
        path = mkdtemp(name);
    }
    ~Folder() { fs::remove_all(path); }
    std::string times() const { return (path / "sub" / "times.json").string(); }
};

std::string text(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

std::vector<RunTime> stored(const std::string& path)
{
    std::vector<RunTime> runs;
    EXPECT_TRUE(parseBestTimes(text(path), runs)) << text(path);
    return runs;
}

TEST(BestTimes, TextThatReadsAsBestTimesAndTextThatDoesNot)
{
    struct Case {
        const char* text;
        bool good;
        size_t runs;
    };
    const Case cases[] = {
        {"{\"times\": []}", true, 0},
        {" {\n\"times\" :[ {\"ms\":1,\"date\":\"d\"} ] }\n", true, 1},
        {"{\"times\": [{\"ms\": 9, \"date\": \"a\"}, {\"ms\": 3, \"date\": \"b\"}, {\"ms\": 5, \"date\": \"c\"},"
         "{\"ms\": 7, \"date\": \"d\"}, {\"ms\": 1, \"date\": \"e\"}, {\"ms\": 2, \"date\": \"f\"}]}",
         true, 5},
        {"", false, 0},
        {"{\"times\": [", false, 0},
        {"{\"times\": [{\"ms\": 1, \"date\": \"a\"},]}", false, 0},
        {"{\"times\": [{\"ms\": 0, \"date\": \"a\"}]}", false, 0},
        {"{\"times\": [{\"ms\": -4, \"date\": \"a\"}]}", false, 0},
        {"{\"times\": [{\"ms\": 99999999999999999999999, \"date\": \"a\"}]}", false, 0},
        {"{\"times\": [{\"date\": \"a\", \"ms\": 4}]}", false, 0},
        {"{\"times\": [{\"ms\": 4, \"date\": \"a\\\"b\"}]}", false, 0},
        {"{\"times\": [{\"ms\": 4, \"date\": \"a\nb\"}]}", false, 0},
        {"{\"times\": []} trailing", false, 0},
        {"\x89PNG\r\n\x1a\n", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::vector<RunTime> runs{{1, "left over"}};
        EXPECT_EQ(parseBestTimes(c.text, runs), c.good);
        EXPECT_EQ(runs.size(), c.runs);
    }
    std::vector<RunTime> runs;
    ASSERT_TRUE(parseBestTimes(cases[2].text, runs));
    EXPECT_EQ(runs.front(), (RunTime{1, "e"})) << "fastest first";
    std::vector<RunTime> back;
    ASSERT_TRUE(parseBestTimes(spellBestTimes(runs), back));
    EXPECT_EQ(back, runs) << "what is written reads back";
}

TEST(BestTimes, TheFiveFastestAreKeptAndANewBestIsTold)
{
    Folder folder;
    const std::string path = folder.times();
    const int64_t times[] = {90000, 80000, 85000, 80000, 120000, 70000, 95000};
    const bool newBest[] = {true, true, false, false, false, true, false};
    for (size_t i = 0; i < std::size(times); ++i) {
        const RunRecorded recorded = recordRunTime(path, {times[i], "run " + std::to_string(i)});
        EXPECT_EQ(recorded.problem, "");
        EXPECT_EQ(recorded.newBest, newBest[i]) << i;
        EXPECT_EQ(recorded.runs, stored(path));
    }
    const std::vector<RunTime> expected = {
        {70000, "run 5"}, {80000, "run 1"}, {80000, "run 3"}, {85000, "run 2"}, {90000, "run 0"}};
    EXPECT_EQ(stored(path), expected);
}

// The ring reached: the end screen's line from the game's own time, the run
// kept with today's date, and nothing written for a run that is not kept.
TEST(BestTimes, AFinishedRunIsTimedByItsTicksAndKept)
{
    Folder folder;
    const std::string path = folder.times();
    Game game = newGame(1);
    const struct {
        int32_t ticks;
        bool kept;
        const char* line;
    } runs[] = {
        {4000, true, "time 1:40.00 - a new best!"},
        {4100, true, "time 1:42.50"},
        {3999, false, "time 1:39.97"},
        {3999, true, "time 1:39.97 - a new best!"},
    };
    for (const auto& run : runs) {
        game.ticksPlayed = run.ticks;
        const RunFinished finished =
            finishRun(game, run.kept ? fs::path(path).parent_path().string() : "", {}, startMarks(*game.course));
        EXPECT_EQ(finished.line, run.line);
        EXPECT_EQ(finished.problem, "");
    }
    const std::vector<RunTime> kept = stored(path);
    ASSERT_EQ(kept.size(), 3u);
    EXPECT_EQ(kept[0].milliseconds, 99975);
    const std::string& date = kept[0].date;
    EXPECT_TRUE(date.size() == 16 && date[4] == '-' && date[7] == '-' && date[10] == ' ' && date[13] == ':')
        << "YYYY-MM-DD HH:MM, not " << date;
}

TEST(BestTimes, ADamagedFileIsKeptAsideAndANewOneStarted)
{
    const std::string damaged[] = {"", "{\"times\": [{\"ms\": 5", std::string(100000, 'x'), "\x89PNG"};
    for (const std::string& content : damaged) {
        Folder folder;
        const std::string path = folder.times();
        fs::create_directories(fs::path(path).parent_path());
        std::ofstream(path) << content;
        const RunRecorded recorded = recordRunTime(path, {61230, "now"});
        EXPECT_TRUE(recorded.newBest);
        EXPECT_EQ(stored(path), (std::vector<RunTime>{{61230, "now"}}));
        const size_t kept = recorded.problem.find("kept as ");
        ASSERT_NE(kept, std::string::npos) << recorded.problem;
        const std::string aside = recorded.problem.substr(kept + 8, recorded.problem.find(',', kept) - kept - 8);
        EXPECT_EQ(text(aside), content) << "the damaged file is kept as it was, at the path named";
        EXPECT_EQ(recorded.problem.find('\n'), std::string::npos);
    }
}

// The writer dies at each step; the file is then the old one or the new
// one, whole, and the next game writes it as usual.
TEST(BestTimes, AWriterKilledAtAnyStepLosesNothing)
{
    const std::vector<RunTime> before = {{50000, "a"}, {60000, "b"}};
    for (int step = int(WriteStep::Locked); step <= int(WriteStep::FolderSynced); ++step) {
        SCOPED_TRACE(step);
        Folder folder;
        const std::string path = folder.times();
        for (const RunTime& run : before) recordRunTime(path, run);

        static int dieAt;
        dieAt = step;
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            recordRunTime(path, {40000, "c"}, [](WriteStep at) {
                if (int(at) == dieAt) _exit(0);
            });
            _exit(1);
        }
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the writer reached the step";

        const std::vector<RunTime> after = stored(path);
        const std::vector<RunTime> written = {{40000, "c"}, {50000, "a"}, {60000, "b"}};
        EXPECT_TRUE(after == before || after == written);
        EXPECT_EQ(after == written, step >= int(WriteStep::Renamed));
        const RunRecorded next = recordRunTime(path, {45000, "d"});
        EXPECT_EQ(next.problem, "") << "the lock of the dead writer went with it";
        EXPECT_EQ(next.runs.size(), after.size() + 1);
    }
}

TEST(BestTimes, GamesFinishingTogetherAllCount)
{
    Folder folder;
    const std::string path = folder.times();
    constexpr int games = 5;
    pid_t children[games];
    for (int i = 0; i < games; ++i) {
        children[i] = fork();
        ASSERT_GE(children[i], 0);
        if (children[i] == 0) {
            for (int run = 0; run < 20; ++run) recordRunTime(path, {100000 + i * 100 + run, "g" + std::to_string(i)});
            recordRunTime(path, {1000 + i, "fast"});
            _exit(0);
        }
    }
    for (pid_t child : children) waitpid(child, nullptr, 0);
    const std::vector<RunTime> runs = stored(path);
    ASSERT_EQ(runs.size(), bestTimesKept);
    for (int i = 0; i < games; ++i) EXPECT_EQ(runs[size_t(i)], (RunTime{1000 + i, "fast"})) << "every game's best run";
    size_t left = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(path).parent_path())) {
        left += entry.path().filename().string().rfind("times.json.", 0) == 0 &&
                entry.path().filename() != "times.json.lock";
    }
    EXPECT_EQ(left, 0u) << "no temporary file is left behind";
}

TEST(BestTimes, RunTimesAsTheTimerShowsThem)
{
    const std::pair<int64_t, const char*> cases[] = {
        {0, "0:00.00"}, {25, "0:00.02"}, {61230, "1:01.23"}, {3599990, "59:59.99"}, {3600000, "1:00:00.00"}};
    for (const auto& [ms, shown] : cases) EXPECT_EQ(formatRunTime(ms), shown);
}

}  // namespace
