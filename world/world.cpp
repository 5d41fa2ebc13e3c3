#include "world/world.h"

std::vector<Block*> blocks;
std::vector<SizeOrb*> sizeOrbs;
std::vector<Checkpoint*> checkpoints;
Vec3 goalPosition{0.0f, 0.0f, 0.0f};

BuilderState builderState;
BuilderState* savedBuilderState = nullptr;

void stampBlock()
{
    const BuilderState& s = builderState;
    Block* b = new Block;
    b->opacity = s.opacity;
    b->size = s.size;
    b->basePosition = s.cursor;
    b->travel = s.travel;
    b->velocity = s.velocity;
    if (s.startAtBase) {
        b->position = s.cursor;
    } else {
        b->position = {s.cursor.x + s.travel.x, s.cursor.y + s.travel.y, s.cursor.z + s.travel.z};
    }
    b->stepTimer = 0.0f;
    b->texture = s.texture;
    b->shape = s.shape;
    b->spin = 0.0f;
    b->flipTexture = s.flipTexture;
    blocks.push_back(b);
}

void saveBuilderState()
{
    delete savedBuilderState;
    savedBuilderState = new BuilderState(builderState);
}

void restoreBuilderState()
{
    if (savedBuilderState == nullptr) {
        return;
    }
    const bool flip = builderState.flipTexture;
    builderState = *savedBuilderState;
    builderState.flipTexture = flip;
    delete savedBuilderState;
    savedBuilderState = nullptr;
}

void clearMotion()
{
    builderState.travel = {0.0f, 0.0f, 0.0f};
    builderState.velocity = {0.0f, 0.0f, 0.0f};
}

void addSizeOrb(Vec3 point, int kind)
{
    sizeOrbs.push_back(new SizeOrb{point, kind, 0.1f, true, 0.0f});
}

void addCheckpoint(Vec3 point, int kind)
{
    checkpoints.push_back(new Checkpoint{point, kind, 0.1f, true, 0.0f, {1.0f, 1.0f, 0.0f}});
}

void resetWorld()
{
    for (Block* b : blocks) delete b;
    for (SizeOrb* o : sizeOrbs) delete o;
    for (Checkpoint* c : checkpoints) delete c;
    blocks.clear();
    sizeOrbs.clear();
    checkpoints.clear();
    goalPosition = {0.0f, 0.0f, 0.0f};
    builderState = BuilderState{};
    delete savedBuilderState;
    savedBuilderState = nullptr;
}
