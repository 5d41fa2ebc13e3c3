#pragma once
// A game of our own for one test: no blocks, no items, the goal far away,
// the ball at its start and no key held. No GL, no sound: what the ball
// would make heard is in the game's events.

#include <gtest/gtest.h>

#include <algorithm>

#include "sim/ball.h"
#include "sim/game.h"
#include "sim/items.h"
#include "tests/sim/test_blocks.h"

inline Game emptyGame()
{
    Game game;
    // Far from every test's ball, so that no test ends the game by accident.
    courseOf(game).goalPosition = {0.0f, -1000.0f, 0.0f};
    // Pointers from addBlock stay good while a test adds its few blocks.
    courseOf(game).blocks.reserve(256);
    game.courseState.blocks.reserve(256);
    return game;
}

// A wide static floor whose top is at the given height.
inline BlockState* addFloor(Game& game, float top, Material material = Material::None)
{
    return addBlock(game, {-1000.0f, top - 1.0f, -1000.0f}, {2000.0f, 1.0f, 2000.0f}, {}, material);
}

inline int countEvents(const Game& game, EventKind kind)
{
    return static_cast<int>(std::count_if(game.events.begin(), game.events.end(),
                                          [kind](const GameEvent& e) { return e.kind == kind; }));
}

class SimTest : public ::testing::Test {
protected:
    Game g = emptyGame();
    Ball& b = g.ball;
    Controls keys;

    // Back to a fresh game; `b` still names its ball.
    void reset()
    {
        g = emptyGame();
        keys = Controls{};
    }

    BlockState* addFloor(float top, Material material = Material::None) { return ::addFloor(g, top, material); }
    BlockState* addBlock(Vec3 position, Vec3 size, Vec3 velocity = {}, Material material = Material::None)
    {
        return ::addBlock(g, position, size, velocity, material);
    }
    int plays(EventKind kind) const { return countEvents(g, kind); }

    // One block against a centre as the block pass does it, for a ball
    // with this velocity and radius.
    void collide(const BlockState& block, Vec3& centre, Vec3& velocity, float r)
    {
        b.velocity = velocity;
        b.radius = r;
        const size_t index = size_t(&block - g.courseState.blocks.data());
        collideBlock(g, g.course->blocks[index], block, centre, keys.jumpHeld);
        velocity = b.velocity;
    }

    Vec3 centre() const { return {b.position.x, b.position.y + b.radius, b.position.z}; }

    void steps(int n)
    {
        for (int i = 0; i < n; ++i) {
            ballStep(g, keys);
        }
    }

    // Steps until done() holds (asked before every step); returns the steps
    // taken, or the limit when it never held.
    template <typename Done>
    int stepsUntil(Done done, int limit = 1000)
    {
        int n = 0;
        while (!done() && n < limit) {
            ballStep(g, keys);
            ++n;
        }
        return n;
    }
};
