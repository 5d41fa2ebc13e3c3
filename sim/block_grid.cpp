#include "sim/block_grid.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Each cell's list covers this far beyond the cell: a ball of the largest
// size (radius 1), its reach of twice the radius and a push of one radius
// during the block pass, with room to spare for rounding.
const float margin = 3.5f;
const float firstCellSize = 3.0f;
// Past these the cells grow: a course spread over 100,000 units, or blocks
// so large that they would be listed in thousands of cells each.
const size_t mostCells = size_t(1) << 16;
const size_t mostEntriesPerBlock = 64;
const float unbounded = std::numeric_limits<float>::infinity();

// The span of cell i on one axis, lists' margin included; the outer cells
// reach on to the ends of space, so that a ball off the course still has
// one.
void spanCells(BlockGrid& grid)
{
    for (int a = 0; a < 3; ++a) {
        const int n = grid.cells[a];
        grid.spanLow[a].resize(size_t(n));
        grid.spanHigh[a].resize(size_t(n));
        for (int i = 0; i < n; ++i) {
            grid.spanLow[a][size_t(i)] =
                i == 0 ? -unbounded : grid.origin[a] + static_cast<float>(i) * grid.cellSize - margin;
            grid.spanHigh[a][size_t(i)] =
                i == n - 1 ? unbounded : grid.origin[a] + static_cast<float>(i + 1) * grid.cellSize + margin;
        }
    }
}

// Where a block's minimum corner can ever be, and the far corner of the
// box it sweeps: the travel is clamped at both ends, so a block is always
// between its base, its far end and where it started. The far corner is
// summed as the collision sums it, so rounding cannot put a block beyond it.
struct Sweep {
    Vec3 low;
    Vec3 high;
};

Sweep sweepOf(const Block& block)
{
    const Vec3 start = startPosition(block);
    Sweep s;
    for (int a = 0; a < 3; ++a) {
        const float base = block.basePosition[a];
        const float end = base + block.travel[a];
        s.low[a] = std::min({base, end, start[a]});
        s.high[a] = std::max({base, end, start[a]}) + block.size[a];
    }
    return s;
}

struct CellRange {
    int first[3];
    int last[3];
};

CellRange cellsOf(const BlockGrid& grid, const Sweep& s)
{
    CellRange range;
    for (int a = 0; a < 3; ++a) {
        const std::vector<float>& low = grid.spanLow[a];
        const std::vector<float>& high = grid.spanHigh[a];
        // The spans grow with i (exact multiples of the cell size, rounded
        // once), and the outer ones are unbounded: the block's cells are
        // those from the first reaching up to its low end to the last
        // starting below its high end.
        const int first = int(std::lower_bound(high.begin(), high.end(), s.low[a]) - high.begin());
        const int last = int(std::upper_bound(low.begin(), low.end(), s.high[a]) - low.begin()) - 1;
        range.first[a] = std::min(first, grid.cells[a] - 1);
        range.last[a] = std::max(last, range.first[a]);
    }
    return range;
}

uint64_t entriesOf(const CellRange& range)
{
    uint64_t n = 1;
    for (int a = 0; a < 3; ++a) n *= uint64_t(range.last[a] - range.first[a] + 1);
    return n;
}

size_t cellIndex(const BlockGrid& grid, int x, int y, int z)
{
    return (size_t(z) * size_t(grid.cells[1]) + size_t(y)) * size_t(grid.cells[0]) + size_t(x);
}

// The cell holding this coordinate, or an outer one; a coordinate that is
// not a number gets cell 0, which the caller's span test then refuses.
int cellAt(const BlockGrid& grid, int axis, float v)
{
    // Any cell would do for the lists' sake (the caller tests its span);
    // this one is the cell the coordinate is in, or next to it.
    const float at = (v - grid.origin[axis]) * grid.cellsPerUnit;
    if (!(at >= 1.0f)) return 0;
    if (at >= static_cast<float>(grid.cells[axis] - 1)) return grid.cells[axis] - 1;
    return static_cast<int>(at);
}

}  // namespace

BlockGrid blockGrid(std::shared_ptr<const Course> course)
{
    BlockGrid grid;
    grid.course = std::move(course);
    const std::vector<Block>& blocks = grid.course->blocks;
    grid.blockCount = blocks.size();
    if (blocks.empty()) return grid;

    std::vector<Sweep> sweeps;
    sweeps.reserve(blocks.size());
    Sweep all = sweepOf(blocks[0]);
    for (const Block& block : blocks) {
        const Sweep s = sweepOf(block);
        for (int a = 0; a < 3; ++a) {
            // A course with a coordinate that is not finite gets no lists.
            if (!std::isfinite(s.low[a]) || !std::isfinite(s.high[a])) return grid;
            all.low[a] = std::min(all.low[a], s.low[a]);
            all.high[a] = std::max(all.high[a], s.high[a]);
        }
        sweeps.push_back(s);
    }

    for (int a = 0; a < 3; ++a) grid.origin[a] = all.low[a];
    std::vector<CellRange> ranges(blocks.size());
    for (float size = firstCellSize;; size *= 2.0f) {
        grid.cellSize = size;
        grid.cellsPerUnit = 1.0f / size;
        // Counted in double and 64 bits: a course may be spread over far
        // more cells than an int or a 32-bit size holds.
        double cellCount = 1.0;
        for (int a = 0; a < 3; ++a) {
            const double across = std::max(1.0, std::ceil((double(all.high[a]) - double(all.low[a])) / size));
            cellCount *= across;
            grid.cells[a] = across > double(mostCells) ? 0 : static_cast<int>(across);
        }
        if (cellCount > double(mostCells)) continue;
        spanCells(grid);
        uint64_t entries = 0;
        for (size_t i = 0; i < blocks.size(); ++i) {
            ranges[i] = cellsOf(grid, sweeps[i]);
            entries += entriesOf(ranges[i]);
        }
        // One cell holds every block in the end, so this always stops.
        if (cellCount == 1.0 || entries <= uint64_t(mostEntriesPerBlock * blocks.size() + mostCells)) {
            grid.cellStart.assign(size_t(cellCount) + 1, 0);
            grid.blocks.resize(size_t(entries));
            break;
        }
    }

    // Counted, then filled in the course's order, so each list is sorted.
    for (const CellRange& r : ranges) {
        for (int z = r.first[2]; z <= r.last[2]; ++z)
            for (int y = r.first[1]; y <= r.last[1]; ++y)
                for (int x = r.first[0]; x <= r.last[0]; ++x) ++grid.cellStart[cellIndex(grid, x, y, z) + 1];
    }
    for (size_t c = 1; c < grid.cellStart.size(); ++c) grid.cellStart[c] += grid.cellStart[c - 1];
    std::vector<uint32_t> next(grid.cellStart.begin(), grid.cellStart.end() - 1);
    for (size_t i = 0; i < ranges.size(); ++i) {
        const CellRange& r = ranges[i];
        for (int z = r.first[2]; z <= r.last[2]; ++z)
            for (int y = r.first[1]; y <= r.last[1]; ++y)
                for (int x = r.first[0]; x <= r.last[0]; ++x)
                    grid.blocks[next[cellIndex(grid, x, y, z)]++] = static_cast<uint32_t>(i);
    }
    return grid;
}

NearBlocks nearBlocks(const BlockGrid* grid, const Course& course, const Vec3& centre, float r)
{
    NearBlocks near;
    if (!grid || grid->course.get() != &course || grid->blockCount != course.blocks.size() ||
        grid->cellStart.empty()) {
        return near;
    }
    // The same sums as the collision's own test of a far block, from the
    // ends of the box the centre may wander in: rounding goes the same way
    // for every centre inside it.
    const float reach = 2.0f * r;
    near.low = {centre.x - r, centre.y - r, centre.z - r};
    near.high = {centre.x + r, centre.y + r, centre.z + r};
    const int x = cellAt(*grid, 0, centre.x);
    const int y = cellAt(*grid, 1, centre.y);
    const int z = cellAt(*grid, 2, centre.z);
    const bool within = grid->spanLow[0][size_t(x)] <= near.low.x - reach &&
                        near.high.x + reach <= grid->spanHigh[0][size_t(x)] &&
                        grid->spanLow[1][size_t(y)] <= near.low.y - reach &&
                        near.high.y + reach <= grid->spanHigh[1][size_t(y)] &&
                        grid->spanLow[2][size_t(z)] <= near.low.z - reach &&
                        near.high.z + reach <= grid->spanHigh[2][size_t(z)];
    if (!within) return near;
    const size_t cell = cellIndex(*grid, x, y, z);
    near.found = true;
    near.first = grid->blocks.data() + grid->cellStart[cell];
    near.last = grid->blocks.data() + grid->cellStart[cell + 1];
    return near;
}
