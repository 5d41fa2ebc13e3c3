#pragma once
// Blocks as the level builder leaves them: opaque, resting at their base
// position. addBlock also lists them in `blocks`, which resetWorld frees.

#include "world/world.h"

inline Block testBlock(Vec3 position, Vec3 size, unsigned int texture = 0, Vec3 velocity = {})
{
    Block block{};
    block.opacity = 1.0f;
    block.size = size;
    block.basePosition = position;
    block.position = position;
    block.velocity = velocity;
    block.texture = texture;
    return block;
}

inline Block* addBlock(Vec3 position, Vec3 size, Vec3 velocity = {}, unsigned int texture = 0)
{
    blocks.push_back(new Block(testBlock(position, size, texture, velocity)));
    return blocks.back();
}
