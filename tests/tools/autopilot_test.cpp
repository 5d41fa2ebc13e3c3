// The autopilot's promises: the scripts it writes play exactly what it
// played in-process, going back to a saved game really goes back, and its
// moves end where they say.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "sim/game.h"
#include "tests/tools/replay_run.h"
#include "tools/autopilot/drive.h"
#include "tools/autopilot/keys.h"
#include "tools/autopilot/pilot.h"
#include "tools/autopilot/plans/plans.h"
#include "tools/autopilot/route.h"
#include "world/world.h"

namespace {

// The game can be started once per process; every test goes back to the
// state right after the start.
void freshGame()
{
    static bool started = false;
    static Snapshot start;
    if (!started) {
        startGame();
        start = saveGame();
        started = true;
    }
    restoreGame(start);
}

std::string ballRow(long long tick)
{
    char row[256];
    std::snprintf(row, sizeof row, "%lld,%.9g,%.9g,%.9g,%.9g,%.9g,%.9g", tick, game().ball.position.x,
                  game().ball.position.y, game().ball.position.z, game().ball.velocity.x, game().ball.velocity.y, game().ball.velocity.z);
    return row;
}

// tick,state,px,py,pz,vx,vy,vz of a replay row, without the state.
std::string replayedBall(const std::string& row)
{
    size_t tickEnd = row.find(',');
    size_t stateEnd = row.find(',', tickEnd + 1);
    size_t cut = stateEnd;
    for (int i = 0; i < 6 && cut != std::string::npos; ++i) cut = row.find(',', cut + 1);
    return row.substr(0, tickEnd) + row.substr(stateEnd, cut - stateEnd);
}

TEST(AutopilotScript, FoldsEqualTicksAndReleasesBeforePressing)
{
    std::vector<Keys> ticks = {{}, {}, {1, 0, false}, {1, 0, false}, {-1, -1, true}, {0, -1, false}};
    EXPECT_EQ(scriptForTicks(ticks),
              "tick 2\n"
              "special down RIGHT\n"
              "tick 2\n"
              "special up RIGHT\n"
              "special down LEFT\n"
              "special down UP\n"
              "key down 13\n"
              "tick\n"
              "special up LEFT\n"
              "key up 13\n"
              "tick\n"
              "special up UP\n");
}

TEST(AutopilotScript, ReversingAnAxisReleasesTheOldArrowFirst)
{
    std::vector<std::string> events = keyEvents(Keys{0, 1, true}, Keys{0, -1, true});
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0], "special up DOWN");
    EXPECT_EQ(events[1], "special down UP");
    EXPECT_TRUE(keyEvents(Keys{1, 1, true}, Keys{1, 1, true}).empty());
}

TEST(AutopilotDrive, RestoringASavedGameReplaysTheSameFuture)
{
    freshGame();
    for (int i = 0; i < 60; ++i) playTick(Keys{0, -1, false});
    Snapshot saved = saveGame();
    const Vec3 savedAt = game().ball.position;
    auto future = [] {
        for (int i = 0; i < 120; ++i) playTick(Keys{i % 40 < 20 ? 1 : -1, -1, i % 30 == 0});
        return ballRow(static_cast<long long>(playedTicks().size())) + " disc " +
               std::to_string(game().courseState.blocks[1].position.x) + " " + std::to_string(game().courseState.blocks[1].velocity.x);
    };
    std::string first = future();
    restoreGame(saved);
    EXPECT_EQ(game().ball.position.x, savedAt.x);
    EXPECT_EQ(game().ball.position.z, savedAt.z);
    EXPECT_EQ(playedTicks().size(), 60u);
    EXPECT_EQ(future(), first);
}

TEST(AutopilotDrive, RollToStopsOnThePoint)
{
    freshGame();
    ASSERT_TRUE(rollTo(4, -3));
    EXPECT_NEAR(ballCentre().x, 4, 0.05);
    EXPECT_NEAR(ballCentre().z, -3, 0.05);
    EXPECT_TRUE(onTopOf(0));
    // A point off the pad is not reached without falling.
    EXPECT_FALSE(rollTo(4, -12));
}

TEST(AutopilotDrive, ASearchedHopReplaysIdenticallyInTheReplayTool)
{
    freshGame();
    // From the pad onto the first swaying disc: the search tries and
    // abandons several plays before it keeps one.
    ASSERT_TRUE(hop({0, 1, 4, 4}));
    EXPECT_TRUE(onTopOf(1));
    std::string expected = ballRow(static_cast<long long>(playedTicks().size()));

    const replaytool::Outcome run = replaytool::runScript(scriptForTicks(playedTicks()), true);
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_FALSE(run.rows.empty());
    const std::string row = run.rows.back();
    EXPECT_EQ(replayedBall(row), expected);
}

// The whole search, start to ring: any drift in the simulation changes the
// hops it finds, so it must write the checked-in route to the byte.
TEST(AutopilotRoute, DrivesTheCheckedInRouteAgain)
{
    startGame();
    const int passed = driveCourse();
    EXPECT_EQ(passed, courseSections());
    EXPECT_TRUE(finished());
    EXPECT_EQ(courseScript(passed), replaytool::slurp(ROUTE_PATH));
}

// Each of our courses' plans drives it to the ring and writes its checked-in
// route: a course changed without its route made again fails here.
TEST(AutopilotRoute, EachCoursePlanDrivesItsCheckedInRoute)
{
    for (const char* id : {"first-steps", "spiral", "glass-maze"}) {
        FoundCourse found;
        ASSERT_EQ(findCourse(std::string(SOURCE_DIR) + "/courses/" + id + ".course", {}, found), "") << id;
        const std::vector<Section>* plan = findPlan(id);
        ASSERT_NE(plan, nullptr) << id;
        startGame(found);
        const int passed = drivePlan(*plan);
        EXPECT_EQ(passed, static_cast<int>(plan->size())) << id;
        EXPECT_TRUE(finished()) << id;
        EXPECT_EQ(planScript(id, passed, static_cast<int>(plan->size())),
                  replaytool::slurp(std::string(SOURCE_DIR) + "/tests/routes/" + id + ".replay"))
            << id;
    }
    EXPECT_EQ(findPlan("no-such-course"), nullptr);
}

} // namespace
