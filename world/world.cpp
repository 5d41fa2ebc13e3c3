#include "world/world.h"

Vec3 startPosition(const Block& block)
{
    if (block.startAtBase) return block.basePosition;
    const Vec3& p = block.basePosition;
    return {p.x + block.travel.x, p.y + block.travel.y, p.z + block.travel.z};
}

void stampBlock(Builder& builder)
{
    const BuilderState& s = builder.builderState;
    Block b{};
    b.opacity = s.opacity;
    b.size = s.size;
    b.basePosition = s.cursor;
    b.travel = s.travel;
    b.velocity = s.velocity;
    b.startAtBase = s.startAtBase;
    b.material = s.material;
    // Only wood has a grain. A metal block stamped after wooden ones would
    // otherwise carry theirs, which means nothing on metal and which its
    // course file, naming no grain for metal, could not give back.
    b.grain = s.material == Material::Wood ? s.grain : 0;
    b.shape = s.shape;
    b.spin = 0.0f;
    b.flipTexture = s.flipTexture;
    builder.course.blocks.push_back(b);
}

void saveBuilderState(Builder& builder)
{
    builder.savedBuilderState = builder.builderState;
}

void restoreBuilderState(Builder& builder)
{
    if (!builder.savedBuilderState) {
        return;
    }
    const bool flip = builder.builderState.flipTexture;
    builder.builderState = *builder.savedBuilderState;
    builder.builderState.flipTexture = flip;
    builder.savedBuilderState.reset();
}

void clearMotion(Builder& builder)
{
    builder.builderState.travel = {0.0f, 0.0f, 0.0f};
    builder.builderState.velocity = {0.0f, 0.0f, 0.0f};
}

void addSizeOrb(Course& course, Vec3 point, int kind)
{
    course.sizeOrbs.push_back(SizeOrb{point, kind});
}

void addCheckpoint(Course& course, Vec3 point, int kind)
{
    course.checkpoints.push_back(Checkpoint{point, kind});
}
