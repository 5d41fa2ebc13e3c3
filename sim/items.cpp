#include "sim/items.h"

#include <cmath>
#include <cstdlib>

#include "assets/sound.h"
#include "sim/game_state.h"

const float touchMargin = 0.15f;
float goalAngle = 0.0f;
float goalStepTimer = 0.0f;

namespace {

const float objectRadius = 0.75f;
const float goalReach = 1.5f;

Vec3 centreOf(const Ball& b)
{
    return {b.position.x, b.position.y + b.radius, b.position.z};
}

float distanceBetween(const Vec3& a, const Vec3& b)
{
    float dx = a.x - b.x;
    float dy = a.y - b.y;
    float dz = a.z - b.z;
    return std::fabs(std::sqrt(dx * dx + dy * dy + dz * dz));
}

// The spheres must overlap by more than the margin, so grazing does nothing.
bool touches(const Vec3& object, const Vec3& centre, float radius)
{
    return radius + objectRadius - touchMargin > distanceBetween(object, centre);
}

Sound* orbSound(int kind)
{
    if (kind == 0) {
        return shrinkSound;
    }
    if (kind == 2) {
        return growSound;
    }
    return nullptr;
}

template <typename Item>
void pulse(Item& item)
{
    // Only 15 bits of noise: this C library's rand() reaches 2^31 - 1, and
    // larger draws would push every step upward.
    int q = std::rand() % 32768;
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

} // namespace

float radiusOfSizeKind(int kind)
{
    switch (kind) {
    case 0:
        return 0.25f;
    case 2:
        return 1.0f;
    default:
        return 0.5f;
    }
}

void touchSizeOrbs(Ball& b)
{
    Vec3 m = centreOf(b);
    for (const SizeOrb* orb : sizeOrbs) {
        if (!touches(orb->position, m, b.radius)) {
            continue;
        }
        float radius = radiusOfSizeKind(orb->sizeKind);
        if (radius == b.radius) {
            continue;
        }
        b.radius = radius;
        if (Sound* sound = orbSound(orb->sizeKind)) {
            playEffect(sound, &effectsChannel);
        }
    }
    b.position = {m.x, m.y - b.radius, m.z};
}

void touchCheckpoints(Ball& b)
{
    Vec3 m = centreOf(b);
    for (Checkpoint* checkpoint : checkpoints) {
        if (touches(checkpoint->position, m, b.radius) && checkpoint->colour.y == 1.0f) {
            checkpointPosition = checkpoint->position;
            checkpointRadius = radiusOfSizeKind(checkpoint->sizeKind);
            checkpoint->colour = {1.0f, 0.0f, 1.0f};
            playEffect(saveSound, &effectsChannel);
        }
    }
    b.position = {m.x, m.y - b.radius, m.z};
}

void checkGoal(const Vec3& centre)
{
    if (distanceBetween(goalPosition, centre) < goalReach) {
        // Later steps of the same tick may reach the ring again; the music
        // starts only on the first.
        bool first = gameState != EndScreen;
        gameState = EndScreen;
        if (first) {
            startVictoryMusic();
        }
    }
}

void pulseAlpha(SizeOrb& orb)
{
    pulse(orb);
}

void pulseAlpha(Checkpoint& checkpoint)
{
    pulse(checkpoint);
}

void spinGoal()
{
    goalAngle = goalAngle + 1.0f;
    if (goalAngle > 360.0f) {
        goalAngle = goalAngle - 360.0f;
    }
}
