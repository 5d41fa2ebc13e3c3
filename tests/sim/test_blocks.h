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
    block.position = position;
    block.velocity = velocity;
    block.material = material;
    return block;
}

inline Block* addBlock(Game& game, Vec3 position, Vec3 size, Vec3 velocity = {},
                       Material material = Material::None)
{
    game.course.blocks.push_back(testBlock(position, size, material, velocity));
    return &game.course.blocks.back();
}
