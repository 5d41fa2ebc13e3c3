// The command line: what each good one asks for, and the one line a bad one
// gets.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/front/options.h"

namespace {

std::string parse(std::vector<const char*> words, Options& options)
{
    words.insert(words.begin(), "skycourse");
    return parseOptions(int(words.size()), words.data(), options);
}

TEST(Options, GoodCommandLines)
{
    struct Case {
        std::vector<const char*> words;
        bool windowed;
        int width, height;
        const char* record;
        const char* watch;
        int speed;
    };
    const Case cases[] = {
        {{}, false, 1280, 1024, "", "", 1},
        {{"--window"}, true, 1280, 1024, "", "", 1},
        {{"--window", "320x240"}, true, 320, 240, "", "", 1},
        {{"--window=1920x1080"}, true, 1920, 1080, "", "", 1},
        {{"--window", "--record", "run"}, true, 1280, 1024, "run", "", 1},
        {{"--record", "--odd-name"}, false, 1280, 1024, "--odd-name", "", 1},
        {{"--watch", "a.replay", "--speed", "20", "--window", "640x480"}, true, 640, 480, "", "a.replay", 20},
        {{"--speed=1", "--watch=b"}, false, 1280, 1024, "", "b", 1},
    };
    for (const Case& c : cases) {
        Options options;
        const std::string problem = parse(c.words, options);
        SCOPED_TRACE(c.words.empty() ? "(none)" : c.words.front());
        EXPECT_EQ(problem, "");
        EXPECT_FALSE(options.help);
        EXPECT_EQ(options.windowed, c.windowed);
        EXPECT_EQ(options.windowWidth, c.width);
        EXPECT_EQ(options.windowHeight, c.height);
        EXPECT_EQ(options.recordPath, c.record);
        EXPECT_EQ(options.watchPath, c.watch);
        EXPECT_EQ(options.speed, c.speed);
    }
    Options help;
    EXPECT_EQ(parse({"--help"}, help), "");
    EXPECT_TRUE(help.help);

    struct SoundCase {
        std::vector<const char*> words;
        int volume;
        bool mute;
        bool printKeys;
    };
    const SoundCase soundCases[] = {
        {{}, 100, false, false},
        {{"--volume", "0"}, 0, false, false},
        {{"--volume=37", "--mute"}, 37, true, false},
        {{"--mute", "--volume", "100", "--print-keys"}, 100, true, true},
    };
    for (const SoundCase& c : soundCases) {
        Options options;
        EXPECT_EQ(parse(c.words, options), "");
        EXPECT_EQ(options.volume, c.volume);
        EXPECT_EQ(options.mute, c.mute);
        EXPECT_EQ(options.printKeys, c.printKeys);
    }

    // --graphics: none given leaves settings.conf's choice in force.
    const struct {
        std::vector<const char*> words;
        std::optional<bool> fast;
    } graphicsCases[] = {{{}, std::nullopt}, {{"--graphics", "fast"}, true}, {{"--graphics=full"}, false}};
    for (const auto& c : graphicsCases) {
        Options options;
        EXPECT_EQ(parse(c.words, options), "");
        EXPECT_EQ(options.fastGraphics, c.fast);
    }
}

TEST(Options, BadCommandLinesNameWhatIsWrong)
{
    struct Case {
        std::vector<const char*> words;
        const char* named;
    };
    const Case cases[] = {
        {{"-h"}, "'-h'"},
        {{"play"}, "'play'"},
        {{"--windows"}, "'--windows'"},
        {{"--window", "319x240"}, "319x240"},
        {{"--window", "320x239"}, "320x239"},
        {{"--window", "16385x800"}, "16385x800"},
        {{"--window", "800X600"}, "800X600"},
        {{"--window", "800x600x1"}, "800x600x1"},
        {{"--window", "+800x600"}, "+800x600"},
        {{"--window", " 800x600"}, " 800x600"},
        {{"--window", "99999999999x600"}, "99999999999x600"},
        {{"--window="}, "WIDTHxHEIGHT"},
        {{"--record"}, "--record needs a value"},
        {{"--watch="}, "--watch needs a value"},
        {{"--watch", "a", "--speed", "0"}, "'0'"},
        {{"--watch", "a", "--speed", "21"}, "'21'"},
        {{"--watch", "a", "--speed", "2.5"}, "'2.5'"},
        {{"--speed", "2"}, "--watch"},
        {{"--record", "a", "--watch", "b"}, "together"},
        {{"--window", "--window"}, "twice"},
        {{"--help=yes"}, "--help"},
        {{"--volume", "101"}, "'101'"},
        {{"--volume", "-1"}, "'-1'"},
        {{"--volume"}, "--volume needs a value"},
        {{"--mute=yes"}, "--mute takes no value"},
        {{"--mute", "--mute"}, "twice"},
        {{"--graphics", "low"}, "'low' must be full or fast"},
        {{"--graphics"}, "--graphics needs a value"},
    };
    for (const Case& c : cases) {
        Options options;
        const std::string problem = parse(c.words, options);
        EXPECT_NE(problem.find(c.named), std::string::npos) << c.words.back() << ": " << problem;
        EXPECT_EQ(problem.find('\n'), std::string::npos) << problem;
    }
}

TEST(Options, AGhostToRaceAloneOrBesideAWatchedScript)
{
    const struct {
        std::vector<const char*> words;
        const char* ghost;
        const char* problem;
    } cases[] = {
        {{"--ghost", "route.replay"}, "route.replay", ""},
        {{"--watch", "a", "--ghost=b", "--speed", "3"}, "b", ""},
        {{"--record", "r", "--ghost", "g"}, "g", ""},
        {{"--ghost"}, "", "--ghost needs a value (see skycourse --help)"},
        {{"--ghost", "a", "--ghost", "b"}, "a", "--ghost is given twice"},
    };
    for (const auto& c : cases) {
        Options options;
        EXPECT_EQ(parse(c.words, options), c.problem);
        EXPECT_EQ(options.ghostPath, c.ghost);
    }
}

}  // namespace
