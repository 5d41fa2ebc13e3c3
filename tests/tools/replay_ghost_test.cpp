// The replay tool racing a ghost: its ball in extra columns only when asked,
// tick for tick the rows its own script gives, from its start again at a
// restart; the default rows untouched.

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "tests/tools/replay_run.h"

namespace {

using namespace replaytool;

const std::string route = ROUTE_PATH;

// A row's fields after its tick number.
std::string afterTick(const std::string& row)
{
    return row.substr(row.find(',') + 1);
}

TEST(ReplayGhost, TheGhostsColumnsAreTheRowsOfItsOwnScript)
{
    const Outcome own = runScript("special down UP\ntick 40\n");
    ASSERT_EQ(own.status, 0) << own.err;
    const std::string ghost = scratchFile("ghost");
    std::ofstream(ghost) << "special down UP\ntick 40\n";

    const Outcome raced = runScript("ghost " + ghost + "\nghostrows\nspecial down LEFT\ntick 30\nrestart\ntick 15\n");
    std::remove(ghost.c_str());
    ASSERT_EQ(raced.status, 0) << raced.err;
    ASSERT_EQ(raced.rows.size(), 1u + 1u + 45u);
    EXPECT_EQ(raced.rows[1], raced.rows[0] +
                                 ",gstate,gpx,gpy,gpz,gvx,gvy,gvz,gradius,gairborne,gyaw,gpitch,gquadrant,gcpx,gcpy,"
                                 "gcpz,gcpr");
    for (size_t tick = 1; tick <= 45; ++tick) {
        const std::string& row = raced.rows[tick + 1];
        ASSERT_EQ(fields(row).size(), 33u) << row;
        // From its start again at the restart, as the ball is.
        const std::string& ghostRow = own.rows[tick <= 30 ? tick : tick - 30];
        EXPECT_TRUE(row.ends_with("," + afterTick(ghostRow))) << "tick " << tick << ": " << row;
        EXPECT_NE(afterTick(row).rfind(afterTick(ghostRow), 0), 0u) << "the ball is not the ghost";
    }
}

TEST(ReplayGhost, WithoutGhostrowsTheRowsAreTheUsualOnes)
{
    const std::string script = "special down UP\ntick 20\nkey down 13\ntick 30\n";
    const Outcome plain = runScript(script);
    const Outcome raced = runScript("ghost " + route + "\n" + script);
    ASSERT_EQ(plain.status, 0) << plain.err;
    EXPECT_EQ(raced.status, 0) << raced.err;
    EXPECT_EQ(raced.rows, plain.rows);

    const Outcome none = runScript("ghostrows\ntick 2\n");
    ASSERT_EQ(none.status, 0) << none.err;
    ASSERT_EQ(none.rows.size(), 4u);
    EXPECT_EQ(none.rows[2], "1,0,7,0.5,0,0,0,0,0.5,0,0,0,0,7,0.5,0,0.5,,,,,,,,,,,,,,,,") << "no ghost: its columns empty";
}

}  // namespace
