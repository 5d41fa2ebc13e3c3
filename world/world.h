#pragma once
// The course's fixed records: blocks, size orbs, checkpoints, the goal and
// the start, and the builder that stamps blocks from its current settings.
// Nothing here changes while a course is played (where a block is now, how
// bright an orb is, which checkpoints are taken: that is the game's), so one
// course can be shared by every game that plays it. Plain values with no GL
// behind them: what a block looks and sounds like is its material.

#include <cstdint>
#include <optional>
#include <vector>

#include "world/vec3.h"

// What a block is made of: picks its picture when drawn and its sound when
// landed on. Wood comes in six grains (Block::grain).
enum class Material : uint8_t { None, Metal, Glass, Wood };

enum class Shape : uint8_t { Box, Cylinder };

struct Block {
    float opacity;          // alpha of the drawn colour: 1 solid, 0.4 glass
    Vec3 size;              // extent; the box spans its corner .. corner + size
    Vec3 basePosition;      // minimum corner at the near end of the travel
    Vec3 travel;            // length of travel per axis, zero for a static block
    Vec3 velocity;          // units per second at the start; the sign flips at each end
    bool startAtBase;       // starts at basePosition, or at the far end of its travel
    Material material;
    int grain;              // wood grain 0..5 for wooden blocks, else 0
    Shape shape;            // a cylinder stands upright inside its box
    float spin;             // degrees about the vertical axis (cylinders only)
    bool flipTexture;       // mirror the picture on the faces of a box

    bool operator==(const Block&) const = default;
};

// Where a block's minimum corner is when the course starts.
Vec3 startPosition(const Block& block);

struct SizeOrb {
    Vec3 position;          // centre of the sphere (radius 0.75)
    int sizeKind;           // 0 small, 1 normal, 2 large

    bool operator==(const SizeOrb&) const = default;
};

// sizeKind is the radius a respawn at this checkpoint restores.
struct Checkpoint {
    Vec3 position;
    int sizeKind;

    bool operator==(const Checkpoint&) const = default;
};

// Everything the level builder makes, in stamping order.
struct Course {
    std::vector<Block> blocks;
    std::vector<SizeOrb> sizeOrbs;
    std::vector<Checkpoint> checkpoints;
    Vec3 goalPosition{0.0f, 0.0f, 0.0f};
    // Where the ball starts (its lowest point) and comes back to after a
    // fall until a checkpoint is taken.
    Vec3 start{7.0f, 0.5f, 0.0f};

    bool operator==(const Course&) const = default;
};

struct BuilderState {
    Vec3 cursor{0.0f, 0.0f, 0.0f};
    Vec3 size{1.0f, 1.0f, 1.0f};
    float opacity = 1.0f;
    Vec3 travel{0.0f, 0.0f, 0.0f};
    Vec3 velocity{0.0f, 0.0f, 0.0f};
    bool startAtBase = true;
    Material material = Material::None;
    int grain = 0;
    Shape shape = Shape::Box;
    bool flipTexture = false;
};

// The builder's current settings, at most one saved copy, and what it has
// built so far.
struct Builder {
    BuilderState builderState;
    std::optional<BuilderState> savedBuilderState;
    Course course;
};

void stampBlock(Builder& builder);
// Saving twice forgets the first copy; a restore without a saved copy does
// nothing, and never restores flipTexture.
void saveBuilderState(Builder& builder);
void restoreBuilderState(Builder& builder);
void clearMotion(Builder& builder);
void addSizeOrb(Course& course, Vec3 point, int kind);
void addCheckpoint(Course& course, Vec3 point, int kind);
