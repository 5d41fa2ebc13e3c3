#include "sim/random.h"

namespace {

// r[i] = r[i-31] + r[i-3], wrapping; each draw is the new value shifted right.
uint32_t advance(Random& random)
{
    // The ring's indices wrap by comparison: every item pulse draws here,
    // five times a tick, in the player's game and the ghost's.
    const int at = random.next;
    const int back31 = at >= 31 ? at - 31 : at + 3;
    const int back3 = at >= 3 ? at - 3 : at + 31;
    const uint32_t value = random.ring[back31] + random.ring[back3];
    random.ring[at] = value;
    random.next = at == 33 ? 0 : at + 1;
    return value;
}

}  // namespace

Random seededRandom(unsigned int seed)
{
    Random random{};
    int32_t r[34];
    r[0] = static_cast<int32_t>(seed == 0 ? 1 : seed);
    for (int i = 1; i < 31; ++i) {
        // 16807 * r[i-1] mod (2^31 - 1), without overflowing 32 bits.
        const int32_t hi = r[i - 1] / 127773;
        const int32_t lo = r[i - 1] % 127773;
        int32_t word = 16807 * lo - 2836 * hi;
        if (word < 0) word += 2147483647;
        r[i] = word;
    }
    for (int i = 31; i < 34; ++i) r[i] = r[i - 31];
    for (int i = 0; i < 34; ++i) random.ring[i] = static_cast<uint32_t>(r[i]);
    random.next = 0;
    // The first 310 values are thrown away.
    for (int i = 0; i < 310; ++i) advance(random);
    return random;
}

int nextRandom(Random& random)
{
    return static_cast<int>(advance(random) >> 1);
}
