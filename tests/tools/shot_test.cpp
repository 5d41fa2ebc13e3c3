// The replay tool's `shot` when it cannot draw or cannot write: one line
// naming the script line, the file and the reason.

#include <gtest/gtest.h>

#include <string>

#include "tests/support/xvfb.h"
#include "tests/tools/replay_run.h"

namespace {

using namespace replaytool;

TEST(Shot, FailuresNameTheLineAndTheReason)
{
    startXvfb();
    struct Case {
        const char* path;
        bool display;
        const char* reason;
    };
    const Case cases[] = {
        {"/tmp/skycourse-shot-never.png", false, "no X display"},
        {"/nonexistent-skycourse-folder/shot.png", true, "No such file or directory"},
        {"/dev/full", true, "No space left on device"},
    };
    for (const Case& c : cases) {
        Streams streams;
        streams.keepDisplay = c.display;
        const Outcome run = runScript(std::string("tick\nshot ") + c.path + "\ntick\n", false, streams);
        EXPECT_EQ(run.status, 2) << c.path << ": " << run.err;
        EXPECT_EQ(run.rows.size(), 2u) << c.path << ": the row before the shot, nothing after";
        EXPECT_EQ(lines(run.err).size(), 1u) << run.err;
        EXPECT_EQ(run.err.rfind("skycourse-replay: line 2: shot: ", 0), 0u) << run.err;
        EXPECT_NE(run.err.find(c.reason), std::string::npos) << run.err;
        if (c.display) {
            EXPECT_NE(run.err.find(c.path), std::string::npos) << run.err;
        }
    }
}

}  // namespace
