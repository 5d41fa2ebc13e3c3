#include "world/level.h"

#include "world/world.h"

namespace {

// The lifts are two thirds the size of a disc: 16/3 across, 2/3 thick.
const Vec3 liftSize{16.0f / 3.0f, 2.0f / 3.0f, 16.0f / 3.0f};

void moveBy(Builder& b, Vec3 offset)
{
    Vec3& c = b.builderState.cursor;
    c.x = c.x + offset.x;
    c.y = c.y + offset.y;
    c.z = c.z + offset.z;
}

// Orbs, checkpoints and the goal are placed relative to the last block.
Vec3 nearCursor(const Builder& b, Vec3 offset)
{
    const Vec3& c = b.builderState.cursor;
    return {c.x + offset.x, c.y + offset.y, c.z + offset.z};
}

void stampSized(Builder& b, Vec3 size)
{
    b.builderState.size = size;
    stampBlock(b);
}

void setMotion(Builder& b, Vec3 travel, Vec3 velocity, bool startAtBase)
{
    b.builderState.travel = travel;
    b.builderState.velocity = velocity;
    b.builderState.startAtBase = startAtBase;
}

// Moves the cursor and stamps a block of the given size, count times over:
// a straight run of equal steps.
void moveAndStamp(Builder& b, Vec3 offset, Vec3 size, int count = 1)
{
    for (int i = 0; i < count; ++i) {
        moveBy(b, offset);
        stampSized(b, size);
    }
}

// Five wall rails end to end; they alternate their texture mirroring so the
// seams do not repeat.
void stampRailRow(Builder& b, float length)
{
    b.builderState.flipTexture = false;
    for (int j = 0; j < 5; ++j) {
        if (j > 0) {
            moveBy(b, {length, 0.0f, 0.0f});
        }
        stampSized(b, {length, 3.0f, 1.0f});
        b.builderState.flipTexture = !b.builderState.flipTexture;
    }
    b.builderState.flipTexture = false;
}

// Four bars zig-zagging down under the first one, alternately one unit in
// -x and back, two units lower each time.
void stampZigZagBars(Builder& b)
{
    for (int i = 0; i < 4; ++i) {
        moveAndStamp(b, {i % 2 == 0 ? -1.0f : 1.0f, -2.0f, 0.0f}, {20.0f, 1.0f, 1.0f});
    }
}

// A glass shaft: a top bar, the zig-zag bars under it and four panes
// around them. Built on a side trip; the cursor comes back afterwards.
// The first end pane can start higher to leave an entry at the bottom.
void buildGlassShaft(Builder& b, float dx, float dz, float firstEndRise)
{
    saveBuilderState(b);
    moveAndStamp(b, {dx, 0.0f, dz}, {20.0f, 1.0f, 1.0f});
    stampZigZagBars(b);

    b.builderState.material = Material::Glass;
    b.builderState.opacity = 0.4f;
    moveAndStamp(b, {-1.0f, 0.0f, 1.0f}, {21.0f, 12.0f, 0.25f});
    moveAndStamp(b, {0.0f, 0.0f, -1.25f}, {21.0f, 12.0f, 0.25f});
    moveAndStamp(b, {-0.25f, firstEndRise, 0.0f}, {0.25f, 12.0f - firstEndRise, 1.5f});
    moveAndStamp(b, {21.25f, -firstEndRise, 0.0f}, {0.25f, 9.0f, 1.5f});
    restoreBuilderState(b);
}

void buildStartAndDiscs(Builder& b)
{
    b.builderState.material = Material::Metal;
    b.builderState.cursor = {2.0f, 0.0f, -5.0f};
    stampSized(b, {10.0f, 0.5f, 10.0f});

    // Twelve discs swaying along x in alternating phase, climbing as they go.
    b.builderState.cursor = {-4.0f, 2.5f, -15.0f};
    b.builderState.size = {8.0f, 1.0f, 8.0f};
    b.builderState.shape = Shape::Cylinder;
    setMotion(b, {8.0f, 0.0f, 0.0f}, {2.0f, 0.0f, 0.0f}, true);
    for (int k = 0; k < 12; ++k) {
        b.builderState.material = Material::Wood;
        b.builderState.grain = k % 6;
        stampBlock(b);
        b.builderState.startAtBase = !b.builderState.startAtBase;
        if (k < 11) {
            moveBy(b, {k % 2 == 0 ? 8.0f : -8.0f, 2.5f, -13.0f});
        }
    }
    clearMotion(b);
    b.builderState.shape = Shape::Box;
    b.builderState.material = Material::Metal;
}

void buildRunway(Builder& b)
{
    moveAndStamp(b, {16.0f, -3.0f, -10.0f}, {14.0f, 4.0f, 10.0f});
    addCheckpoint(b.course, nearCursor(b, {3.0f, 6.0f, 5.0f}), 1);

    b.builderState.cursor.x = 4.0f;
    for (int j = 0; j < 5; ++j) {
        moveAndStamp(b, {j == 2 ? 50.0f : 42.0f, 0.0f, 0.0f}, {30.0f, 4.0f, 10.0f});
    }

    b.builderState.cursor = {4.0f, 31.0f, -168.0f};
    stampSized(b, {1.0f, 3.0f, 18.0f});
    stampRailRow(b, 49.6f);
    b.builderState.cursor = {12.0f, 31.0f, -158.0f};
    stampRailRow(b, 48.0f);
    b.builderState.cursor.x = 11.0f;
    stampSized(b, {1.0f, 3.0f, 8.0f});
}

void buildBeamsAndGate(Builder& b)
{
    moveAndStamp(b, {141.5f, 2.0f, 1.0f}, {1.0f, 1.0f, 20.0f});
    moveAndStamp(b, {0.0f, 0.0f, -31.0f}, {1.0f, 1.0f, 20.0f});
    moveAndStamp(b, {0.0f, 0.0f, 62.0f}, {1.0f, 1.0f, 30.0f});

    // The first lift rises from beside the beam to the high beams.
    saveBuilderState(b);
    moveBy(b, {0.5f - liftSize.x / 2.0f, -5.0f, 35.0f});
    b.builderState.shape = Shape::Cylinder;
    setMotion(b, {0.0f, 35.0f, 0.0f}, {0.0f, 5.0f, 0.0f}, true);
    stampSized(b, liftSize);
    restoreBuilderState(b);

    moveAndStamp(b, {0.0f, 28.0f, 145.0f / 3.0f}, {1.0f, 1.0f, 80.0f});
    moveAndStamp(b, {-40.0f, 0.0f, 50.0f}, {40.0f, 1.0f, 1.0f});
    moveAndStamp(b, {41.0f, 0.0f, 0.0f}, {39.0f, 1.0f, 1.0f});
    moveAndStamp(b, {39.0f, 0.0f, 0.0f}, {1.0f, 1.0f, 12.0f});
    moveAndStamp(b, {0.0f, 0.0f, 12.0f}, {27.0f, 1.0f, 1.0f});
    moveAndStamp(b, {27.0f, 0.0f, 0.0f}, {1.0f, 4.0f, 1.0f});
    moveAndStamp(b, {2.0f, 0.0f, 0.0f}, {1.0f, 4.0f, 1.0f});
    stampSized(b, {30.0f, 1.0f, 1.0f});
    addSizeOrb(b.course, nearCursor(b, {29.25f, 2.75f, 0.75f}), 0);
    moveAndStamp(b, {40.0f, 0.0f, 0.0f}, {25.0f, 1.0f, 1.0f});

    // Gate posts either side of the beam and a lintel 0.7 above its top:
    // only a shrunken ball passes.
    saveBuilderState(b);
    moveAndStamp(b, {8.0f, 1.0f, -4.0f}, {0.5f, 6.0f, 4.0f});
    moveAndStamp(b, {0.0f, 0.0f, 5.0f}, {0.5f, 6.0f, 4.0f});
    moveAndStamp(b, {0.0f, 0.7f, -1.0f}, {0.5f, 6.0f, 1.0f});
    restoreBuilderState(b);
    moveAndStamp(b, {24.0f, 1.0f, 0.0f}, {1.0f, 1.0f, 1.0f});
}

void buildClimb(Builder& b)
{
    moveAndStamp(b, {-5.0f, 2.0f, 0.0f}, {3.0f, 1.0f, 1.0f});
    moveAndStamp(b, {0.0f, 0.0f, -2.0f}, {1.0f, 1.0f, 2.0f});
    stampSized(b, {1.0f, 2.0f, 1.0f});
    moveAndStamp(b, {0.0f, 1.0f, -3.0f}, {1.0f, 1.0f, 3.0f});
    stampSized(b, {1.0f, 2.0f, 1.0f});
    moveAndStamp(b, {0.0f, 1.0f, -27.0f}, {1.0f, 1.0f, 27.0f});
    stampSized(b, {1.0f, 2.0f, 1.0f});
    moveAndStamp(b, {0.0f, 1.0f, -3.0f}, {1.0f, 1.0f, 3.0f});
    moveAndStamp(b, {0.0f, 1.0f, -2.0f}, {1.0f, 1.0f, 3.0f}, 8);

    moveAndStamp(b, {-2.0f, 0.0f, 0.0f}, {2.0f, 1.0f, 1.0f});
    moveAndStamp(b, {-3.0f, 1.0f, 0.0f}, {4.0f, 1.0f, 1.0f});
    moveAndStamp(b, {-2.0f, 1.0f, 0.0f}, {3.0f, 1.0f, 1.0f});
    moveAndStamp(b, {-1.5f, 1.0f, 0.0f}, {2.5f, 1.0f, 1.0f}, 6);
}

void buildBars(Builder& b)
{
    moveAndStamp(b, {-33.0f, 0.0f, 0.0f}, {33.0f, 1.0f, 1.0f});
    addCheckpoint(b.course, nearCursor(b, {3.0f, 3.0f, 0.5f}), 0);
    moveAndStamp(b, {-15.0f, 0.0f, 0.0f}, {10.0f, 1.0f, 1.0f});
    moveAndStamp(b, {-10.0f, 0.0f, 0.0f}, {3.0f, 1.0f, 1.0f}, 4);
    moveAndStamp(b, {-10.0f, 0.0f, 0.0f}, {2.0f, 1.0f, 1.0f}, 4);
}

void buildCageAndLifts(Builder& b)
{
    // Floor and rims share one motion, so the cage slides as one piece.
    saveBuilderState(b);
    setMotion(b, {0.0f, 0.0f, 55.0f}, {0.0f, 0.0f, 6.0f}, true);
    moveAndStamp(b, {-32.0f, -10.0f, -4.0f}, {8.0f, 1.0f, 8.0f});
    moveAndStamp(b, {0.0f, 1.0f, 0.0f}, {0.4f, 0.5f, 8.0f});
    moveAndStamp(b, {7.6f, 0.0f, 0.0f}, {0.4f, 0.5f, 8.0f});
    moveAndStamp(b, {-7.6f, 0.0f, 0.0f}, {8.0f, 0.5f, 0.4f});
    moveAndStamp(b, {0.0f, 0.0f, 7.6f}, {8.0f, 0.5f, 0.4f});
    clearMotion(b);
    restoreBuilderState(b);

    moveAndStamp(b, {-28.0f, -8.0f, 50.0f}, {2.0f, 0.25f, 1.0f});

    // Two lifts in opposite phase: the second starts at the top.
    b.builderState.shape = Shape::Cylinder;
    setMotion(b, {0.0f, 50.0f, 0.0f}, {0.0f, 7.0f, 0.0f}, true);
    moveAndStamp(b, {22.5f, 8.0f, -liftSize.z / 2.0f}, liftSize);
    b.builderState.startAtBase = false;
    moveBy(b, {6.0f, 48.0f, 0.0f});
    stampBlock(b);
    clearMotion(b);
    b.builderState.shape = Shape::Box;
}

void buildSummit(Builder& b)
{
    moveAndStamp(b, {11.0f, 45.0f, -10.0f}, {10.0f, 0.5f, 20.0f});
    addSizeOrb(b.course, nearCursor(b, {5.0f, 1.2f, 5.0f}), 2);
    addCheckpoint(b.course, nearCursor(b, {5.0f, 1.2f, 15.0f}), 2);
    moveAndStamp(b, {0.0f, 0.0f, -40.0f}, {10.0f, 0.5f, 20.0f});
    moveAndStamp(b, {0.0f, 0.0f, -40.0f}, {10.0f, 0.5f, 20.0f});
    moveAndStamp(b, {30.0f, 0.0f, 0.0f}, {20.0f, 0.5f, 10.0f});
    moveAndStamp(b, {0.0f, 0.0f, -50.0f}, {20.0f, 0.5f, 30.0f});

    b.course.goalPosition = nearCursor(b, {10.0f, 9.2f, 15.0f});
}

}  // namespace

Course buildLevel()
{
    Builder b;
    buildStartAndDiscs(b);
    buildRunway(b);
    buildBeamsAndGate(b);
    buildClimb(b);
    buildBars(b);

    // The shafts and the cage are side trips from the end of the bars.
    buildGlassShaft(b, -28.0f, 0.0f, 0.0f);
    buildGlassShaft(b, -26.0f, 50.0f, 1.0f);
    buildCageAndLifts(b);
    buildSummit(b);
    return b.course;
}
