#include "tools/autopilot/pilot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "sim/game.h"
#include "sim/timing.h"
#include "tools/autopilot/drive.h"
#include "world/world.h"

namespace {

// Planned deceleration, a little below what a reversed arrow gives (25 per
// second squared), so that the ball stops short rather than overshoots.
constexpr float planBrake = 20.0f;

Vec3 blockCentre(const BlockNow& block)
{
    return Vec3{block.position.x + block.size.x / 2, block.position.y + block.size.y,
                block.position.z + block.size.z / 2};
}

bool inside(float value, float low, float high, float margin)
{
    return value >= low + margin && value <= high - margin;
}

// The take-off test: within the next tick, or `margin` further on in the
// direction the ball rolls, its centre would leave `from`'s top.
bool leavingTop(const BlockNow& from, float margin)
{
    Vec3 c = ballCentre();
    float vx = game().ball.velocity.x;
    float vz = game().ball.velocity.z;
    float speed = std::sqrt(vx * vx + vz * vz);
    // Below walking pace the direction is only steering noise.
    float ahead = speed > 2.0f ? margin / speed : 0.0f;
    float dt = tickLength;
    float nx = c.x + (vx + from.velocity.x) * dt + vx * ahead;
    float nz = c.z + (vz + from.velocity.z) * dt + vz * ahead;
    return !inside(nx, from.position.x, from.position.x + from.size.x, 0) ||
           !inside(nz, from.position.z, from.position.z + from.size.z, 0);
}

float sign(float v)
{
    return v > 0 ? 1.0f : (v < 0 ? -1.0f : 0.0f);
}

} // namespace

int steerAxis(float position, float velocity, float target, float topSpeed)
{
    float error = target - position;
    float wanted = sign(error) * std::min(topSpeed, std::sqrt(2 * planBrake * std::fabs(error)));
    float change = wanted - velocity;
    // One tick of braking changes the speed by 0.25; smaller differences are
    // left to the brakes.
    if (change > 0.2f) return 1;
    if (change < -0.2f) return -1;
    return 0;
}

Keys steerTo(float x, float z, float topSpeed)
{
    Vec3 c = ballCentre();
    return Keys{steerAxis(c.x, game().ball.velocity.x, x, topSpeed), steerAxis(c.z, game().ball.velocity.z, z, topSpeed),
                false};
}

bool onTopOf(int index)
{
    const BlockNow b = blockNow(index);
    Vec3 c = ballCentre();
    float above = c.y - game().ball.radius - (b.position.y + b.size.y);
    // A rising lift lifts the ball once per tick and leaves it just clear of
    // the top in between, where the game counts it as in the air.
    bool resting = !game().airborne || (game().ball.velocity.y > -3.0f && game().ball.velocity.y < 2.0f);
    return resting && inside(c.x, b.position.x, b.position.x + b.size.x, 0) &&
           inside(c.z, b.position.z, b.position.z + b.size.z, 0) && std::fabs(above) < 0.2f;
}

bool playUntil(const std::function<Keys()>& choose, const std::function<bool()>& done, int limit)
{
    for (int i = 0; i < limit; ++i) {
        if (done()) return true;
        playTick(choose());
    }
    return done();
}

bool rollTo(float x, float z, float topSpeed, float drop, int limit)
{
    const float tolerance = 0.05f;
    float floor = game().ball.position.y - drop;
    for (int i = 0; i < limit; ++i) {
        Vec3 c = ballCentre();
        if (game().ball.position.y < floor) return false;
        if (std::fabs(c.x - x) < tolerance && std::fabs(c.z - z) < tolerance &&
            std::fabs(game().ball.velocity.x) < 0.3f && std::fabs(game().ball.velocity.z) < 0.3f && !game().airborne) {
            return true;
        }
        playTick(steerTo(x, z, topSpeed));
    }
    return false;
}

bool firstThat(int count, const std::function<bool(int)>& attempt)
{
    static const bool trace = std::getenv("AUTOPILOT_TRACE") != nullptr;
    Snapshot start = saveGame();
    for (int i = 0; i < count; ++i) {
        restoreGame(start);
        if (attempt(i)) return true;
        if (trace) report(("  try " + std::to_string(i) + " failed").c_str());
    }
    restoreGame(start);
    return false;
}

bool hop(const Hop& plan)
{
    const BlockNow from = blockNow(plan.from);
    const BlockNow to = blockNow(plan.to);
    const float margins[] = {0.0f, 0.4f, 1.0f, 2.0f, 3.0f};
    const int tries = 5;
    const int delays = plan.maxDelay / 4 + 1;
    return firstThat(delays * tries, [&](int attempt) {
        int delay = attempt / tries * 4;
        float margin = margins[attempt % tries];
        // Wait behind the centre of `from`, on the side away from the aim.
        Vec3 away = blockCentre(from);
        float dx = to.position.x + plan.aimX - away.x;
        float dz = to.position.z + plan.aimZ - away.z;
        float length = std::sqrt(dx * dx + dz * dz);
        float backX = length > 0 ? -dx / length * plan.runUp : 0;
        float backZ = length > 0 ? -dz / length * plan.runUp : 0;
        auto wait = [&] {
            Vec3 centre = blockCentre(from);
            return steerTo(centre.x + backX, centre.z + backZ, 10.0f);
        };
        for (int i = 0; i < delay; ++i) playTick(wait());
        if (!onTopOf(plan.from)) return false;
        auto aim = [&] {
            return steerTo(to.position.x + plan.aimX, to.position.z + plan.aimZ, plan.topSpeed);
        };
        // Run up and jump near the edge.
        bool tookOff = false;
        for (int i = 0; i < 200 && !tookOff; ++i) {
            Keys keys = aim();
            if (onTopOf(plan.from) && leavingTop(from, margin)) {
                keys.jump = true;
                tookOff = true;
            }
            if (!onTopOf(plan.from) && !game().airborne) return false;
            playTick(keys);
        }
        if (!tookOff) return false;
        float lowest = to.position.y + to.size.y - 1.5f;
        for (int i = 0; i < 300; ++i) {
            if (onTopOf(plan.to)) break;
            if (game().ball.velocity.y < 0 && game().ball.position.y < lowest) return false;
            playTick(aim());
        }
        // It must stay there, not bounce off.
        for (int i = 0; i < 40; ++i) {
            playTick(aim());
            if (game().ball.position.y < lowest) return false;
        }
        // Let the bounces die down.
        for (int i = 0; i < 100 && !onTopOf(plan.to); ++i) playTick(aim());
        return onTopOf(plan.to) && plan.also();
    });
}

bool climb(int to, float x, float z, float aimX, float aimZ)
{
    if (!rollTo(x, z, 10.0f)) return false;
    float top = game().ball.position.y;
    const int waits = 20;
    return firstThat(2 * waits, [&](int attempt) {
        // Either straight up and then across after a pause, or a short run
        // toward the step with the jump on the way.
        bool runFirst = attempt >= waits;
        int ticks = attempt % waits;
        if (runFirst) {
            for (int i = 0; i < ticks; ++i) playTick(steerTo(aimX, aimZ, 20.0f));
            if (game().airborne) return false;
            Keys keys = steerTo(aimX, aimZ, 20.0f);
            keys.jump = true;
            playTick(keys);
        } else {
            playTick(Keys{0, 0, true});
            for (int i = 0; i < ticks; ++i) playTick(Keys{});
        }
        for (int i = 0; i < 200 && !onTopOf(to); ++i) {
            if (game().ball.position.y < top - 0.1f) return false;
            if (!game().airborne && game().ball.position.y < top + 0.1f && i > 0) return false;
            playTick(steerTo(aimX, aimZ, 20.0f));
        }
        return rollTo(aimX, aimZ, 10.0f, 0.1f) && onTopOf(to);
    });
}

namespace {

// Seconds until the ball's lowest point comes down to `level` (0 if it never
// rises above it again), or the whole flight of a jump from a top.
float timeToLand(float level)
{
    float vy = game().ball.velocity.y;
    if (!game().airborne) vy = std::sqrt(2 * game().ball.radius) * 20;
    float height = game().ball.position.y - level;
    float reach = vy * vy + 100 * height;
    if (reach < 0) return 0;
    return (vy + std::sqrt(reach)) / 50;
}

} // namespace

bool overBar(int index)
{
    const BlockNow b = blockNow(index);
    Vec3 c = ballCentre();
    return inside(c.x, b.position.x, b.position.x + b.size.x, 0) &&
           c.y - game().ball.radius < b.position.y + b.size.y + 0.5f;
}

bool bounceAlong(int from, const std::vector<int>& bars, float aimX, float z)
{
    const BlockNow start = blockNow(from);
    const float margins[] = {0.0f, 0.3f, 0.6f, 1.0f};
    return firstThat(20 * 4, [&](int attempt) {
        float runSpeed = 20.0f - 0.2f * (attempt / 4);
        float margin = margins[attempt % 4];
        float direction = aimX < ballCentre().x ? -1.0f : 1.0f;
        float far = aimX + direction * 1000.0f;
        bool tookOff = false;
        for (int i = 0; i < 300 && !tookOff; ++i) {
            Keys keys = steerTo(far, z, runSpeed);
            tookOff = leavingTop(start, margin);
            keys.jump = tookOff;
            playTick(keys);
        }
        if (!tookOff) return false;
        // Each flight is aimed at a point on the next bar: the speed that
        // lands there is the distance over the time left in the air. The held
        // key throws the ball up again at each landing, until the last bar.
        auto middle = [&](size_t n) {
            const BlockNow bar = blockNow(bars[n]);
            return n + 1 == bars.size() ? aimX : bar.position.x + bar.size.x / 2;
        };
        const float flight = 2 * std::sqrt(2 * game().ball.radius) * 20 / 50;
        size_t next = 0;
        float lastVy = 0;
        for (int i = 0; i < 3000 && next < bars.size(); ++i) {
            const BlockNow bar = blockNow(bars[next]);
            bool last = next + 1 == bars.size();
            float top = bar.position.y + bar.size.y;
            if (game().ball.position.y < top - 1.0f) return false;
            // With the key held a landing and the next take-off fall in the
            // same tick: the vertical speed turning upward tells it.
            bool sprang = game().ball.velocity.y > 0 && lastVy < 0;
            lastVy = game().ball.velocity.y;
            if ((!game().airborne || sprang) && overBar(bars[next])) {
                ++next;
                continue;
            }
            float t = timeToLand(top);
            float wanted = (middle(next) - ballCentre().x) / std::max(t, tickLength);
            // Just before touching down the aim moves on to the bar after,
            // which the ball springs toward at once.
            if (t < 0.1f && !last) wanted = (middle(next + 1) - ballCentre().x) / (t + flight);
            float change = wanted - game().ball.velocity.x;
            int x = change > 0.2f ? 1 : (change < -0.2f ? -1 : 0);
            playTick(Keys{x, steerAxis(ballCentre().z, game().ball.velocity.z, z, 20.0f), !last});
        }
        return next == bars.size() && rollTo(aimX, z, 20.0f, 0.5f) && onTopOf(bars.back());
    });
}

bool jumpAt(float x, float z, const std::function<bool()>& done, int limit)
{
    Keys keys = steerTo(x, z, 20.0f);
    keys.jump = true;
    playTick(keys);
    return playUntil([&] { return steerTo(x, z, 20.0f); }, done, limit);
}

bool checkpointTaken(int index)
{
    return game().courseState.checkpoints[index].taken;
}

std::function<Keys()> rideOn(int index, float dx, float dz)
{
    return [index, dx, dz] {
        const BlockNow b = blockNow(index);
        return steerTo(b.position.x + dx, b.position.z + dz, 10.0f);
    };
}

void report(const char* what)
{
    Vec3 c = ballCentre();
    std::fprintf(stderr, "%-28s tick %6zu  centre %8.3f %8.3f %9.3f  v %6.2f %6.2f %6.2f  r %.2f%s\n", what,
                 playedTicks().size(), c.x, c.y, c.z, game().ball.velocity.x, game().ball.velocity.y, game().ball.velocity.z,
                 game().ball.radius, game().gameState == EndScreen ? "  END" : "");
}
