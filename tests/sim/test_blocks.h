#pragma once
// Blocks as the level builder leaves them: opaque, resting at their base
// position.

#include "sim/collision.h"
#include "sim/game.h"

inline Block testBlock(Vec3 position, Vec3 size, Material material = Material::None, Vec3 velocity = {})
{
    Block block{};
    block.opacity = 1.0f;
    block.size = size;
    block.basePosition = position;
    block.startAtBase = true;
    block.velocity = velocity;
    block.material = material;
    return block;
}

// A test's game plays a course made for it alone (a Game's own empty course
// to start with), which the test may change in place; never the built-in one.
inline Course& courseOf(Game& game)
{
    return const_cast<Course&>(*game.course);
}

// A block added to the course and to the game's state, at its base; the
// state is returned, to move the block or read where it is.
inline BlockState* addBlock(Game& game, const Block& block)
{
    courseOf(game).blocks.push_back(block);
    game.courseState.blocks.push_back(startState(block));
    return &game.courseState.blocks.back();
}

inline BlockState* addBlock(Game& game, Vec3 position, Vec3 size, Vec3 velocity = {},
                            Material material = Material::None)
{
    return addBlock(game, testBlock(position, size, material, velocity));
}

// The course's record of a block added with addBlock, to change what it is
// made of or its shape.
inline Block& blockOf(Game& game, const BlockState* state)
{
    return courseOf(game).blocks[size_t(state - game.courseState.blocks.data())];
}

// An orb or a checkpoint added to the course and to the game's state.
inline void addSizeOrb(Game& game, Vec3 point, int kind)
{
    addSizeOrb(courseOf(game), point, kind);
    game.courseState.sizeOrbs.push_back({});
}

inline void addCheckpoint(Game& game, Vec3 point, int kind)
{
    addCheckpoint(courseOf(game), point, kind);
    game.courseState.checkpoints.push_back({});
}
