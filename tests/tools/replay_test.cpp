// The replay tool as a reader of scripts would use it: always without an X
// display, its output compared row by row.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/tools/replay_run.h"

namespace {

using namespace replaytool;

const char* const header =
    "tick,state,px,py,pz,vx,vy,vz,radius,airborne,yaw,pitch,quadrant,cpx,cpy,cpz,cpr";

TEST(Replay, HeaderAndRowsAtTheStart)
{
    Outcome run = runScript("# nothing held\n\ntick 2\n");
    EXPECT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.rows.size(), 3u);
    EXPECT_EQ(run.rows[0], header);
    EXPECT_EQ(run.rows[1], "1,0,7,0.5,0,0,0,0,0.5,0,0,0,0,7,0.5,0,0.5");
    EXPECT_EQ(run.rows[2], "2,0,7,0.5,0,0,0,0,0.5,0,0,0,0,7,0.5,0,0.5");
}

TEST(Replay, FloatsPrintedInFull)
{
    // Up held for three ticks: fifteen steps of 0.1 acceleration on the pad,
    // which single-precision sums leave just off -1.5 and -0.06.
    Outcome run = runScript("special down UP\ntick 3\n");
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.rows.size(), 4u);
    std::vector<std::string> last = fields(run.rows[3]);
    ASSERT_EQ(last.size(), 17u);
    EXPECT_EQ(last[4], "-0.0600000024");
    EXPECT_EQ(last[7], "-1.50000012");
}

TEST(Replay, InputThroughTheGameCallbacks)
{
    Outcome run = runScript(
        "key down 112\n"              // mouse look on
        "mouse 960 512\n"             // +90 degrees of yaw
        "special down RIGHT shift\n"  // a quarter turn
        "special up RIGHT\n"
        "special down F1\n"           // jump on "z" from now on
        "key down 13\n"
        "tick\n"
        "key up 13\n"
        "key down 122\n"
        "tick\n");
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.rows.size(), 3u);
    std::vector<std::string> first = fields(run.rows[1]);
    std::vector<std::string> second = fields(run.rows[2]);
    EXPECT_EQ(first[10], "90");
    EXPECT_EQ(first[11], "0") << "the mouse stayed on the middle row";
    EXPECT_EQ(first[12], "1");
    EXPECT_EQ(first[6], "0") << "Enter must no longer jump";
    EXPECT_EQ(second[6], "19.25") << "z jumps at 20, then three steps of gravity";
    EXPECT_EQ(second[9], "1");
}

TEST(Replay, AWindowLineSetsTheSizeOfTheMouseLinesAfterIt)
{
    Outcome run = runScript("key down 112\nwindow 800 600\nmouse 600 300\ntick\nwindow 1280 1024\nmouse 960 512\ntick\n");
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.rows.size(), 3u);
    EXPECT_EQ(fields(run.rows[1])[10], "90");
    EXPECT_EQ(fields(run.rows[2])[10], "180");
}

TEST(Replay, FallOffThePadRespawnsAtTheStart)
{
    Outcome run = runScript("special down DOWN\ntick 20\nspecial up DOWN\ntick 100\n");
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.rows.size(), 121u);
    bool fell = false;
    for (size_t i = 1; i < run.rows.size(); ++i) {
        if (std::stof(fields(run.rows[i])[3]) < -5.0f) {
            fell = true;
        }
    }
    EXPECT_TRUE(fell);
    EXPECT_EQ(run.rows.back(), "120,0,7,0.5,0,0,0,0,0.5,0,0,0,0,7,0.5,0,0.5");
}

TEST(Replay, BlocksAndItems)
{
    Outcome run = runScript("blocks\nitems\ntick 1\nblocks\n");
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.rows.size(), 1u + 114u + 3u + 1u + 114u);
    EXPECT_EQ(run.rows[1], "block,1,2,0,-5,0,0,0");
    EXPECT_EQ(run.rows[2], "block,2,-4,2.5,-15,2,0,0");
    EXPECT_EQ(run.rows[3], "block,3,12,5,-28,2,0,0");
    EXPECT_EQ(run.rows[114].substr(0, 22), "block,114,178,176,-159");
    EXPECT_EQ(run.rows[115], "checkpoint,1,1,1,0");
    EXPECT_EQ(run.rows[117], "checkpoint,3,1,1,0");
    // After one tick the first disc has moved five steps of 0.01; the
    // second, starting at its far end, turned back in its first step.
    EXPECT_EQ(run.rows[120], "block,2,-3.95000005,2.5,-15,2,0,0");
    EXPECT_EQ(run.rows[121], "block,3,11.9599991,5,-28,-2,0,0");
}

TEST(Replay, EscFlushesAndExitsZero)
{
    Outcome run = runScript("tick 2\nkey down 27\ntick\n");
    EXPECT_EQ(run.status, 0);
    ASSERT_EQ(run.rows.size(), 3u);
    EXPECT_EQ(run.rows[2].substr(0, 2), "2,");
}

TEST(Replay, MalformedLineStopsWithItsNumber)
{
    const char* const bad[] = {
        "bogus",           "tick x",           "tick -1",         "tick 2 3",
        "key down 256",    "key press 13",     "key down",        "special down HOME",
        "special down UP shoft", "special up UP shift", "special down UP shift shift",
        "mouse 10",        "mouse 10 y",       "blocks now",      "shot",
        // Far enough out to overflow the look's centring arithmetic.
        "mouse -2147483648 0", "mouse 0 2147483647", "mouse 1000001 0",
        "window 0 600",    "window 800",       "window 800 100001", "special down UP super super",
    };
    for (const char* line : bad) {
        Outcome run = runScript(std::string("tick\n# fine\n") + line + "\ntick\n");
        EXPECT_EQ(run.status, 2) << line;
        EXPECT_EQ(run.rows.size(), 2u) << line;
        EXPECT_NE(run.err.find("line 3"), std::string::npos) << line << ": " << run.err;
        EXPECT_EQ(lines(run.err).size(), 1u) << line << ": " << run.err;
    }
}

TEST(Replay, SameScriptSameOutputFromFileOrStdin)
{
    const std::string script =
        "special down UP\ntick 30\nkey down 13\ntick 40\nspecial up UP\n"
        "special down LEFT\ntick 50\nitems\nblocks\n";
    Outcome a = runScript(script);
    Outcome b = runScript(script);
    Outcome c = runScript(script, true);
    ASSERT_EQ(a.status, 0) << a.err;
    EXPECT_EQ(a.rows.size(), 1u + 120u + 3u + 114u);
    EXPECT_EQ(a.rows, b.rows);
    EXPECT_EQ(a.rows, c.rows);
    EXPECT_EQ(c.status, 0) << c.err;
}

TEST(Replay, EmptyScriptGivesTheHeader)
{
    Outcome empty = runScript("", true);
    EXPECT_EQ(empty.status, 0);
    EXPECT_EQ(empty.rows, std::vector<std::string>{header});
}

TEST(Replay, UnreadableScriptOrUnwritableRowsFailWithOneLine)
{
    std::string missing = scratchFile("gone");
    std::remove(missing.c_str());
    struct Case {
        const char* what;
        Outcome run;
        int status;
        const char* reason;
    };
    const Case cases[] = {
        {"missing script", runFile(missing), 2, "No such file or directory"},
        {"a folder as the script", runFile("/tmp"), 2, "Is a directory"},
        {"rows to a full disk", runScript("tick 3\n", false, rowsTo("/dev/full")), 1,
         "No space left on device"},
        {"rows to a full disk, then Esc", runScript("tick\nkey down 27\n", false, rowsTo("/dev/full")),
         1, "No space left on device"},
        {"endless rows to a full disk", runScript("tick 100000000\n", false, rowsTo("/dev/full")),
         1, "No space left on device"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.run.status, c.status) << c.what << ": " << c.run.err;
        EXPECT_EQ(lines(c.run.err).size(), 1u) << c.what << ": " << c.run.err;
        EXPECT_NE(c.run.err.find(c.reason), std::string::npos) << c.what << ": " << c.run.err;
    }
}

TEST(Replay, ScriptsWithAByteOrderMarkOrCarriageReturnsReadAsLines)
{
    const std::string script = "tick\nspecial down UP\ntick 2\n";
    Outcome plain = runScript(script);
    ASSERT_EQ(plain.status, 0) << plain.err;
    ASSERT_EQ(plain.rows.size(), 4u);
    for (const std::string& saved : {"\xEF\xBB\xBF" + script, std::string("tick\rspecial down UP\rtick 2\r"),
                                     std::string("tick\r\nspecial down UP\r\ntick 2"),
                                     std::string("\xEF\xBB\xBFtick\rspecial down UP\r\ntick 2\n")}) {
        Outcome run = runScript(saved, true);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.rows, plain.rows) << run.err;
    }
    // Lines ended by a lone CR are counted; a mark anywhere but the start is
    // no mark.
    Outcome third = runScript("tick\rtick\rbogus\r");
    EXPECT_NE(third.err.find("line 3:"), std::string::npos) << third.err;
    Outcome later = runScript("tick\n\xEF\xBB\xBFtick\n");
    EXPECT_EQ(later.status, 2);
    EXPECT_NE(later.err.find("line 2:"), std::string::npos) << later.err;
}

TEST(Replay, ControlCharactersOfAMalformedLineAreEchoedEscaped)
{
    // Would retitle the terminal, ring its bell and clear it.
    Outcome run = runScript("\x1b]0;owned\x07\x1b[2J\x9b\x7f\n");
    EXPECT_EQ(run.status, 2);
    ASSERT_FALSE(run.err.empty());
    for (size_t i = 0; i + 1 < run.err.size(); ++i) {
        const auto byte = static_cast<unsigned char>(run.err[i]);
        EXPECT_TRUE(byte >= 0x20 && byte < 0x7f) << "byte " << int(byte) << " at " << i;
    }
    EXPECT_NE(run.err.find("'\\x1b]0;owned\\x07\\x1b[2J\\x9b\\x7f'"), std::string::npos) << run.err;
}

} // namespace
