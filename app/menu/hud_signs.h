#pragma once
// A short line of text for what the player also hears: a checkpoint taken,
// an orb taken, the ring reached. Sound and colour alone miss players who
// cannot hear or tell the colours apart.

#include <cstdint>
#include <string>

#include "render/frame.h"
#include "sim/game.h"

// The latest sign and the tick of game time it went up.
struct HudSign {
    std::string text;
    int32_t shownAtTick = 0;

    bool operator==(const HudSign&) const = default;
};

// How long a sign stays up, in ticks of game time (25 ms each).
constexpr int32_t signShownTicks = 80;

// After a tick: the sign for its events, if any ("Checkpoint 2 of 3",
// "Smaller", "Larger", "Goal!"), replaces the one up. The latest event of
// the tick wins.
void noteSigns(HudSign& sign, const Game& game);

// The sign's text while it is up at `nowTick`, else empty.
std::string signAt(const HudSign& sign, int32_t nowTick);

// The sign over the scene, under the timer's corner, in the frame's input.
void addSign(FrameInput& input, const HudSign& sign, int32_t nowTick);
