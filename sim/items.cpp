#include "sim/items.h"

#include <cmath>

namespace {

// The ball's centre inside the ring's hoop reaches the goal.
const float goalReach = goalRingHoopRadius;

Vec3 centreOf(const Ball& b)
{
    return {b.position.x, b.position.y + b.radius, b.position.z};
}

// The spheres must overlap by more than the margin, so grazing does nothing.
bool touches(const Vec3& object, const Vec3& centre, float radius)
{
    return nearerThan(object, centre, radius + itemSphereRadius - touchMargin);
}

void noteResize(GameEvents& events, int kind)
{
    if (kind == 0) {
        events.push_back({EventKind::Shrink});
    } else if (kind == 2) {
        events.push_back({EventKind::Grow});
    }
}

} // namespace

// The root is taken only where it can decide: a sum of squares at or beyond
// reach squared (exact in double) has its root, and so its rounded root, at
// or beyond reach. Every item is asked every step, and most are far.
bool nearerThan(const Vec3& a, const Vec3& b, float reach)
{
    float dx = a.x - b.x;
    float dy = a.y - b.y;
    float dz = a.z - b.z;
    const float squares = dx * dx + dy * dy + dz * dz;
    if (double(squares) >= double(reach) * double(reach)) return false;
    return std::fabs(std::sqrt(squares)) < reach;
}

float radiusOfSizeKind(int kind)
{
    switch (kind) {
    case 0:
        return smallBallRadius;
    case 2:
        return largeBallRadius;
    default:
        return normalBallRadius;
    }
}

void touchSizeOrbs(Game& game)
{
    Ball& b = game.ball;
    Vec3 m = centreOf(b);
    for (const SizeOrb& orb : game.course->sizeOrbs) {
        if (!touches(orb.position, m, b.radius)) {
            continue;
        }
        float radius = radiusOfSizeKind(orb.sizeKind);
        if (radius == b.radius) {
            continue;
        }
        b.radius = radius;
        noteResize(game.events, orb.sizeKind);
    }
    b.position = {m.x, m.y - b.radius, m.z};
}

int checkpointsTaken(const CourseState& state)
{
    int taken = 0;
    for (const CheckpointState& checkpoint : state.checkpoints) taken += checkpoint.taken ? 1 : 0;
    return taken;
}

Vec3 checkpointColour(const CheckpointState& checkpoint)
{
    return checkpoint.taken ? Vec3{1.0f, 0.0f, 1.0f} : Vec3{1.0f, 1.0f, 0.0f};
}

void touchCheckpoints(Game& game)
{
    Ball& b = game.ball;
    Vec3 m = centreOf(b);
    const std::vector<Checkpoint>& checkpoints = game.course->checkpoints;
    for (size_t i = 0; i < checkpoints.size(); ++i) {
        const Checkpoint& checkpoint = checkpoints[i];
        bool& taken = game.courseState.checkpoints[i].taken;
        if (touches(checkpoint.position, m, b.radius) && !taken) {
            game.checkpointPosition = checkpoint.position;
            game.checkpointRadius = radiusOfSizeKind(checkpoint.sizeKind);
            taken = true;
            game.events.push_back({EventKind::CheckpointSaved});
        }
    }
    b.position = {m.x, m.y - b.radius, m.z};
}

void checkGoal(Game& game, const Vec3& centre)
{
    if (nearerThan(game.course->goalPosition, centre, goalReach)) {
        // Later steps of the same tick may reach the ring again; the event
        // (and so the victory music) comes only on the first.
        bool first = game.gameState != EndScreen;
        game.gameState = EndScreen;
        if (first) {
            game.events.push_back({EventKind::GoalReached});
        }
    }
}

void pulseAlpha(PulseState& item, Random& random)
{
    // Only 15 bits of noise: the generator reaches 2^31 - 1, and larger
    // draws would push every step upward.
    int q = nextRandom(random) % 32768;
    float u = static_cast<float>(q) / 32768.0f;
    float s = item.alphaRising ? 1.0f : -1.0f;
    float change = s * 0.12f + (u * 0.2f - 0.1f);
    item.alpha = static_cast<float>(item.alpha + 0.1 * change);
    if (item.alpha >= 0.9f) {
        item.alphaRising = false;
    } else if (item.alpha <= 0.1f) {
        item.alphaRising = true;
    }
}

void spinGoal(Game& game)
{
    game.goalAngle = game.goalAngle + 1.0f;
    if (game.goalAngle > 360.0f) {
        game.goalAngle = game.goalAngle - 360.0f;
    }
}
