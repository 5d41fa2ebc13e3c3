#include "world/level.h"

#include <cstddef>

#include "assets/texture_names.h"
#include "world/world.h"

namespace {

// The lifts are two thirds the size of a disc: 16/3 across, 2/3 thick.
const Vec3 liftSize{16.0f / 3.0f, 2.0f / 3.0f, 16.0f / 3.0f};

void moveBy(Vec3 offset)
{
    Vec3& c = builderState.cursor;
    c.x = c.x + offset.x;
    c.y = c.y + offset.y;
    c.z = c.z + offset.z;
}

// Orbs, checkpoints and the goal are placed relative to the last block.
Vec3 nearCursor(Vec3 offset)
{
    const Vec3& c = builderState.cursor;
    return {c.x + offset.x, c.y + offset.y, c.z + offset.z};
}

void stampSized(Vec3 size)
{
    builderState.size = size;
    stampBlock();
}

void setMotion(Vec3 travel, Vec3 velocity, bool startAtBase)
{
    builderState.travel = travel;
    builderState.velocity = velocity;
    builderState.startAtBase = startAtBase;
}

// Wood grain by index. The game always loads six grains; should none exist
// the discs get texture 0 (untextured) rather than a division by zero.
unsigned int woodTexture(int k)
{
    if (woodTextures.empty()) {
        return 0;
    }
    return woodTextures[static_cast<std::size_t>(k) % woodTextures.size()];
}

// Moves the cursor and stamps a block of the given size, count times over:
// a straight run of equal steps.
void moveAndStamp(Vec3 offset, Vec3 size, int count = 1)
{
    for (int i = 0; i < count; ++i) {
        moveBy(offset);
        stampSized(size);
    }
}

// Five wall rails end to end; they alternate their texture mirroring so the
// seams do not repeat.
void stampRailRow(float length)
{
    builderState.flipTexture = false;
    for (int j = 0; j < 5; ++j) {
        if (j > 0) {
            moveBy({length, 0.0f, 0.0f});
        }
        stampSized({length, 3.0f, 1.0f});
        builderState.flipTexture = !builderState.flipTexture;
    }
    builderState.flipTexture = false;
}

// Four bars zig-zagging down under the first one, alternately one unit in
// -x and back, two units lower each time.
void stampZigZagBars()
{
    for (int i = 0; i < 4; ++i) {
        moveAndStamp({i % 2 == 0 ? -1.0f : 1.0f, -2.0f, 0.0f}, {20.0f, 1.0f, 1.0f});
    }
}

// A glass shaft: a top bar, the zig-zag bars under it and four panes
// around them. Built on a side trip; the cursor comes back afterwards.
// The first end pane can start higher to leave an entry at the bottom.
void buildGlassShaft(float dx, float dz, float firstEndRise)
{
    saveBuilderState();
    moveAndStamp({dx, 0.0f, dz}, {20.0f, 1.0f, 1.0f});
    stampZigZagBars();

    builderState.texture = glassTexture;
    builderState.opacity = 0.4f;
    moveAndStamp({-1.0f, 0.0f, 1.0f}, {21.0f, 12.0f, 0.25f});
    moveAndStamp({0.0f, 0.0f, -1.25f}, {21.0f, 12.0f, 0.25f});
    moveAndStamp({-0.25f, firstEndRise, 0.0f}, {0.25f, 12.0f - firstEndRise, 1.5f});
    moveAndStamp({21.25f, -firstEndRise, 0.0f}, {0.25f, 9.0f, 1.5f});
    restoreBuilderState();
}

void buildStartAndDiscs()
{
    builderState.texture = metalTexture;
    builderState.cursor = {2.0f, 0.0f, -5.0f};
    stampSized({10.0f, 0.5f, 10.0f});

    // Twelve discs swaying along x in alternating phase, climbing as they go.
    builderState.cursor = {-4.0f, 2.5f, -15.0f};
    builderState.size = {8.0f, 1.0f, 8.0f};
    builderState.shape = 1;
    setMotion({8.0f, 0.0f, 0.0f}, {2.0f, 0.0f, 0.0f}, true);
    for (int k = 0; k < 12; ++k) {
        builderState.texture = woodTexture(k);
        stampBlock();
        builderState.startAtBase = !builderState.startAtBase;
        if (k < 11) {
            moveBy({k % 2 == 0 ? 8.0f : -8.0f, 2.5f, -13.0f});
        }
    }
    clearMotion();
    builderState.shape = 0;
    builderState.texture = metalTexture;
}

void buildRunway()
{
    moveAndStamp({16.0f, -3.0f, -10.0f}, {14.0f, 4.0f, 10.0f});
    addCheckpoint(nearCursor({3.0f, 6.0f, 5.0f}), 1);

    builderState.cursor.x = 4.0f;
    for (int j = 0; j < 5; ++j) {
        moveAndStamp({j == 2 ? 50.0f : 42.0f, 0.0f, 0.0f}, {30.0f, 4.0f, 10.0f});
    }

    builderState.cursor = {4.0f, 31.0f, -168.0f};
    stampSized({1.0f, 3.0f, 18.0f});
    stampRailRow(49.6f);
    builderState.cursor = {12.0f, 31.0f, -158.0f};
    stampRailRow(48.0f);
    builderState.cursor.x = 11.0f;
    stampSized({1.0f, 3.0f, 8.0f});
}

void buildBeamsAndGate()
{
    moveAndStamp({141.5f, 2.0f, 1.0f}, {1.0f, 1.0f, 20.0f});
    moveAndStamp({0.0f, 0.0f, -31.0f}, {1.0f, 1.0f, 20.0f});
    moveAndStamp({0.0f, 0.0f, 62.0f}, {1.0f, 1.0f, 30.0f});

    // The first lift rises from beside the beam to the high beams.
    saveBuilderState();
    moveBy({0.5f - liftSize.x / 2.0f, -5.0f, 35.0f});
    builderState.shape = 1;
    setMotion({0.0f, 35.0f, 0.0f}, {0.0f, 5.0f, 0.0f}, true);
    stampSized(liftSize);
    restoreBuilderState();

    moveAndStamp({0.0f, 28.0f, 145.0f / 3.0f}, {1.0f, 1.0f, 80.0f});
    moveAndStamp({-40.0f, 0.0f, 50.0f}, {40.0f, 1.0f, 1.0f});
    moveAndStamp({41.0f, 0.0f, 0.0f}, {39.0f, 1.0f, 1.0f});
    moveAndStamp({39.0f, 0.0f, 0.0f}, {1.0f, 1.0f, 12.0f});
    moveAndStamp({0.0f, 0.0f, 12.0f}, {27.0f, 1.0f, 1.0f});
    moveAndStamp({27.0f, 0.0f, 0.0f}, {1.0f, 4.0f, 1.0f});
    moveAndStamp({2.0f, 0.0f, 0.0f}, {1.0f, 4.0f, 1.0f});
    stampSized({30.0f, 1.0f, 1.0f});
    addSizeOrb(nearCursor({29.25f, 2.75f, 0.75f}), 0);
    moveAndStamp({40.0f, 0.0f, 0.0f}, {25.0f, 1.0f, 1.0f});

    // Gate posts either side of the beam and a lintel 0.7 above its top:
    // only a shrunken ball passes.
    saveBuilderState();
    moveAndStamp({8.0f, 1.0f, -4.0f}, {0.5f, 6.0f, 4.0f});
    moveAndStamp({0.0f, 0.0f, 5.0f}, {0.5f, 6.0f, 4.0f});
    moveAndStamp({0.0f, 0.7f, -1.0f}, {0.5f, 6.0f, 1.0f});
    restoreBuilderState();
    moveAndStamp({24.0f, 1.0f, 0.0f}, {1.0f, 1.0f, 1.0f});
}

void buildClimb()
{
    moveAndStamp({-5.0f, 2.0f, 0.0f}, {3.0f, 1.0f, 1.0f});
    moveAndStamp({0.0f, 0.0f, -2.0f}, {1.0f, 1.0f, 2.0f});
    stampSized({1.0f, 2.0f, 1.0f});
    moveAndStamp({0.0f, 1.0f, -3.0f}, {1.0f, 1.0f, 3.0f});
    stampSized({1.0f, 2.0f, 1.0f});
    moveAndStamp({0.0f, 1.0f, -27.0f}, {1.0f, 1.0f, 27.0f});
    stampSized({1.0f, 2.0f, 1.0f});
    moveAndStamp({0.0f, 1.0f, -3.0f}, {1.0f, 1.0f, 3.0f});
    moveAndStamp({0.0f, 1.0f, -2.0f}, {1.0f, 1.0f, 3.0f}, 8);

    moveAndStamp({-2.0f, 0.0f, 0.0f}, {2.0f, 1.0f, 1.0f});
    moveAndStamp({-3.0f, 1.0f, 0.0f}, {4.0f, 1.0f, 1.0f});
    moveAndStamp({-2.0f, 1.0f, 0.0f}, {3.0f, 1.0f, 1.0f});
    moveAndStamp({-1.5f, 1.0f, 0.0f}, {2.5f, 1.0f, 1.0f}, 6);
}

void buildBars()
{
    moveAndStamp({-33.0f, 0.0f, 0.0f}, {33.0f, 1.0f, 1.0f});
    addCheckpoint(nearCursor({3.0f, 3.0f, 0.5f}), 0);
    moveAndStamp({-15.0f, 0.0f, 0.0f}, {10.0f, 1.0f, 1.0f});
    moveAndStamp({-10.0f, 0.0f, 0.0f}, {3.0f, 1.0f, 1.0f}, 4);
    moveAndStamp({-10.0f, 0.0f, 0.0f}, {2.0f, 1.0f, 1.0f}, 4);
}

void buildCageAndLifts()
{
    // Floor and rims share one motion, so the cage slides as one piece.
    saveBuilderState();
    setMotion({0.0f, 0.0f, 55.0f}, {0.0f, 0.0f, 6.0f}, true);
    moveAndStamp({-32.0f, -10.0f, -4.0f}, {8.0f, 1.0f, 8.0f});
    moveAndStamp({0.0f, 1.0f, 0.0f}, {0.4f, 0.5f, 8.0f});
    moveAndStamp({7.6f, 0.0f, 0.0f}, {0.4f, 0.5f, 8.0f});
    moveAndStamp({-7.6f, 0.0f, 0.0f}, {8.0f, 0.5f, 0.4f});
    moveAndStamp({0.0f, 0.0f, 7.6f}, {8.0f, 0.5f, 0.4f});
    clearMotion();
    restoreBuilderState();

    moveAndStamp({-28.0f, -8.0f, 50.0f}, {2.0f, 0.25f, 1.0f});

    // Two lifts in opposite phase: the second starts at the top.
    builderState.shape = 1;
    setMotion({0.0f, 50.0f, 0.0f}, {0.0f, 7.0f, 0.0f}, true);
    moveAndStamp({22.5f, 8.0f, -liftSize.z / 2.0f}, liftSize);
    builderState.startAtBase = false;
    moveBy({6.0f, 48.0f, 0.0f});
    stampBlock();
    clearMotion();
    builderState.shape = 0;
}

void buildSummit()
{
    moveAndStamp({11.0f, 45.0f, -10.0f}, {10.0f, 0.5f, 20.0f});
    addSizeOrb(nearCursor({5.0f, 1.2f, 5.0f}), 2);
    addCheckpoint(nearCursor({5.0f, 1.2f, 15.0f}), 2);
    moveAndStamp({0.0f, 0.0f, -40.0f}, {10.0f, 0.5f, 20.0f});
    moveAndStamp({0.0f, 0.0f, -40.0f}, {10.0f, 0.5f, 20.0f});
    moveAndStamp({30.0f, 0.0f, 0.0f}, {20.0f, 0.5f, 10.0f});
    moveAndStamp({0.0f, 0.0f, -50.0f}, {20.0f, 0.5f, 30.0f});

    goalPosition = nearCursor({10.0f, 9.2f, 15.0f});
}

}  // namespace

void buildLevel()
{
    buildStartAndDiscs();
    buildRunway();
    buildBeamsAndGate();
    buildClimb();
    buildBars();

    // The shafts and the cage are side trips from the end of the bars.
    buildGlassShaft(-28.0f, 0.0f, 0.0f);
    buildGlassShaft(-26.0f, 50.0f, 1.0f);
    buildCageAndLifts();
    buildSummit();
}
