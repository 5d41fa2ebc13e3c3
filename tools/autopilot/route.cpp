#include "tools/autopilot/route.h"

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/input/key_codes.h"
#include "sim/game.h"
#include "tools/autopilot/drive.h"
#include "tools/autopilot/pilot.h"
#include "world/world.h"

namespace {

// Blocks are numbered from 1 in the course layout; the lists count from 0.
int block(int number)
{
    return number - 1;
}

bool discs()
{
    for (int n = 1; n < 12; ++n) {
        if (!hop({block(n), block(n + 1), 4, 4})) return false;
    }
    return true;
}

// Over the wall from the last disc onto the landing slab, and a jump into
// the first checkpoint above it.
bool landingSlab()
{
    // The last disc slides under the end of the wall: the hop over the wall
    // must follow the landing on it before the ball is scraped off, so the
    // two are searched together.
    auto overTheWall = [] { return hop({block(13), block(14), 8, 5, 0, 0}); };
    if (!hop({block(12), block(13), 4, 4, 400, 3, 20, overTheWall})) return false;
    if (!rollTo(23, -163)) return false;
    return jumpAt(23, -163, [] { return checkpointTaken(0) && onTopOf(block(14)); });
}

// Two runway slabs, then up onto the top of the wall, which runs on past
// the widest gap to the first beam.
bool runway()
{
    return hop({block(14), block(15), 15, 5}) && hop({block(15), block(16), 15, 5}) &&
           hop({block(16), block(28), 8, 0.5f}) && rollTo(153, -157.5f);
}

// Along the beams to the lift, up with it, and across to the high beam.
bool beamsAndLift()
{
    const BlockNow lift = blockNow(block(35));
    auto liftCentre = [&] {
        return steerTo(lift.position.x + lift.size.x / 2, lift.position.z + lift.size.z / 2, 10.0f);
    };
    return rollTo(153, -140) && hop({block(32), block(34), 0.5f, 5}) && rollTo(153, -99) &&
           hop({block(34), block(35), 2.6667f, 2.6667f, 600, 0}) &&
           playUntil(liftCentre, [&] { return lift.position.y > 62.9f; }, 1000) &&
           hop({block(35), block(36), 0.5f, 5, 200, 2});
}

// Round the corners of the high beams, over the two posts, and through the
// shrinking orb across the gap before the gate.
bool highBeams()
{
    return rollTo(153, -27.1667f) && rollTo(193, -27.1667f) && rollTo(193, -15.1667f) &&
           rollTo(210, -15.1667f) && hop({block(40), block(43), 5, 0.5f, 0}) &&
           rollTo(240, -15.1667f) &&
           hop({block(43), block(44), 5, 0.5f, 0, 3, 20, [] { return game().ball.radius == smallBallRadius; }});
}

// Through the gate, onto the knob at the end of the beam and up the climb.
bool gateAndClimb()
{
    const float z = -15.1667f;
    if (!rollTo(283.9f, z) || !hop({block(44), block(48), 0.5f, 0.5f, 0, 0})) return false;
    if (!climb(block(49), 286.4f, z, 282, z)) return false;
    if (!rollTo(281, z) || !climb(block(51), 281, -16.0f, 281, -17.6f)) return false;
    if (!rollTo(281, -19.3f) || !climb(block(53), 281, -19.3f, 281, -20.6f)) return false;
    if (!rollTo(281, -46.2f) || !climb(block(55), 281, -46.2f, 281, -47.6f)) return false;
    float stepZ = -49.1667f;
    for (int n = 57; n <= 64; ++n, stepZ -= 2) {
        if (!climb(block(n), 281, stepZ + 0.8f, 281, stepZ - 1.0f)) return false;
    }
    return rollTo(281, -66.1667f) && rollTo(280, -66.1667f);
}

// Up the steps back toward -x to the long bar and its checkpoint.
bool stepsBack()
{
    const float z = -66.1667f;
    float edge = 279.5f;
    const float aims[] = {278, 275.5f, 273.75f, 272.25f, 270.75f, 269.25f, 267.75f, 266.25f};
    for (int n = 66; n <= 73; ++n) {
        if (!climb(block(n), edge + 0.5f, z, aims[n - 66], z)) return false;
        edge = aims[n - 66] - 0.75f;
    }
    return rollTo(234.5f, z) &&
           jumpAt(234.5f, z, [] { return checkpointTaken(1) && onTopOf(block(74)); });
}

// The stepping bars, taken in one springing run, and the zigzag down the
// first glass shaft.
bool barsAndShaft()
{
    const float z = -66.1667f;
    std::vector<int> bars;
    for (int n = 76; n <= 84; ++n) bars.push_back(block(n));
    if (!hop({block(74), block(75), 5, 0.5f, 0}) || !rollTo(226, z) ||
        !bounceAlong(block(75), bars, 120, z)) {
        return false;
    }
    return rollTo(107.8f, z, 10, 2.5f) && rollTo(128.2f, z, 10, 2.5f) && rollTo(107.8f, z, 10, 2.5f) &&
           rollTo(128.2f, z, 10, 2.5f) && rollTo(109, z);
}

// Waits at the foot of the shaft for the cage to come under it, drops in,
// rides it to the far end and gets out onto the ledge of the second shaft.
bool cage()
{
    const float z = -66.1667f;
    const BlockNow floor = blockNow(block(102));
    bool inCage = firstThat(200, [&](int attempt) {
        for (int i = 0; i < attempt * 4; ++i) playTick(steerTo(109, z, 10.0f));
        if (!playUntil([&] { return steerTo(107.95f, z, 5.0f); }, [] { return onTopOf(block(102)); }, 100)) {
            return false;
        }
        playUntil(rideOn(block(102), 4.5f, 4), [] { return false; }, 40);
        return onTopOf(block(102));
    });
    return inCage && playUntil(rideOn(block(102), 4.5f, 1.2f), [&] { return floor.velocity.z < 0; }, 1000) &&
           hop({block(102), block(107), 0.5f, 0.5f, 0, 0}) && rollTo(110.2f, -16.1667f, 5.0f);
}

// Up the zigzag of bars inside the second glass shaft.
bool secondShaft()
{
    const float z = -16.1667f;
    return climb(block(97), 110.2f, z, 112.5f, z) && climb(block(96), 130.15f, z, 128, z) &&
           climb(block(95), 109.85f, z, 112, z) && climb(block(94), 130.15f, z, 128, z) &&
           climb(block(93), 109.85f, z, 112, z) && rollTo(129.5f, z);
}

// The two lifts, in opposite phase, up to the summit.
bool lifts()
{
    const BlockNow first = blockNow(block(108));
    const BlockNow second = blockNow(block(109));
    const float half = 2.6667f;
    return hop({block(93), block(108), half, half, 600, 0}) &&
           playUntil(rideOn(block(108), half, half), [&] { return first.position.y > 131.0f; }, 1000) &&
           hop({block(108), block(109), half, half, 60, 0}) &&
           playUntil(rideOn(block(109), half, half), [&] { return second.position.y > 180.9f; }, 1000);
}

// Onto the summit through the growing orb, the last checkpoint, the
// platforms and a jump into the ring.
bool summit()
{
    if (!hop({block(109), block(110), 5, 5, 100, 0, 20, [] { return game().ball.radius == 1.0f; }})) return false;
    if (!rollTo(153, -14.3333f) || !checkpointTaken(2)) return false;
    return hop({block(110), block(111), 5, 1}) && hop({block(111), block(112), 5, 1}) &&
           hop({block(112), block(113), 19, 5}) && hop({block(113), block(114), 10, 1}) &&
           rollTo(188, -144.3333f) && jumpAt(188, -144.3333f, finished);
}

} // namespace

const std::vector<Section>& ascentPlan()
{
    static const std::vector<Section> list = {
        {"swaying discs", discs},     {"landing slab", landingSlab}, {"runway", runway},
        {"beams and lift", beamsAndLift}, {"high beams", highBeams}, {"gate and climb", gateAndClimb},
        {"steps back", stepsBack},    {"bars and shaft", barsAndShaft},
        {"cage", cage},               {"second shaft", secondShaft}, {"lifts", lifts},
        {"summit", summit},
    };
    return list;
}

int courseSections()
{
    return static_cast<int>(ascentPlan().size());
}

int driveCourse()
{
    return drivePlan(ascentPlan());
}

int drivePlan(const std::vector<Section>& sections)
{
    int passed = 0;
    for (const Section& section : sections) {
        if (!section.drive()) {
            report((std::string("blocked: ") + section.name).c_str());
            return passed;
        }
        report(section.name);
        ++passed;
    }
    return passed;
}

std::string planScript(const std::string& courseId, int passed, int sections)
{
    const std::string courseLine = courseId.empty() ? "" : "course " + courseId + "\n";
    return courseLine + "# Made by skycourse-autopilot: " + std::to_string(playedTicks().size()) + " ticks, " +
           std::to_string(passed) + " of " + std::to_string(sections) + " sections.\n" +
           scriptForTicks(playedTicks()) + "items\nkey down " + std::to_string(keyEscape) + "\n";
}

std::string courseScript(int passed)
{
    return planScript("", passed, courseSections());
}
