#pragma once
// Which blocks of a course the ball can touch from where it is, without
// asking every block: the course cut into cells, each listing the blocks
// whose whole travel comes near it. Blocks move only along their fixed
// travel, so the lists hold for every tick and one grid serves every game
// of the course; it is built with the game and never changes.

#include <cstdint>
#include <memory>
#include <vector>

#include "world/world.h"

struct BlockGrid {
    // The course the lists were made from, held so that it cannot be
    // replaced by another at the same address. A course is never changed
    // once shared; blockCount catches blocks added or removed since (as a
    // test does to its own course), but not a block moved in place, which
    // would need a new grid.
    std::shared_ptr<const Course> course;
    size_t blockCount = 0;
    float origin[3] = {0.0f, 0.0f, 0.0f};
    float cellSize = 1.0f;
    float cellsPerUnit = 1.0f;
    int cells[3] = {0, 0, 0};
    // Cell i's span on each axis with the lists' margin: a block is listed
    // in every cell whose spans its travel's box meets.
    std::vector<float> spanLow[3];
    std::vector<float> spanHigh[3];
    // Cell (x, y, z)'s blocks, in the course's order, are
    // blocks[cellStart[c] .. cellStart[c + 1]) with c = (z * cells[1] + y) * cells[0] + x.
    std::vector<uint32_t> cellStart;
    std::vector<uint32_t> blocks;
};

// The grid of this course. A course too spread out for cells of a useful
// size gets a coarser grid; every block is in at least one list.
BlockGrid blockGrid(std::shared_ptr<const Course> course);

// The blocks that can touch a ball of radius r while its centre stays
// within [low, high] on every axis, in the course's order. Every block not
// in it is, for any centre in that box, beyond twice the radius of the ball
// on some axis. `found` is false when the grid cannot tell (no grid, another
// course, a ball too large for the cells): then every block must be asked.
struct NearBlocks {
    bool found = false;
    const uint32_t* first = nullptr;
    const uint32_t* last = nullptr;
    Vec3 low;
    Vec3 high;
};
NearBlocks nearBlocks(const BlockGrid* grid, const Course& course, const Vec3& centre, float r);
