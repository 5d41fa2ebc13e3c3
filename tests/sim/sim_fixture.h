#pragma once
// A clean world for one test: no blocks, no items, the ball at its start,
// every flag released and a headless GL context for the rolling matrix.

#include <gtest/gtest.h>

#include "assets/texture_names.h"
#include "sim/ball.h"
#include "sim/game_state.h"
#include "sim/items.h"
#include "tools/headless/egl_context.h"
#include "world/world.h"
#include "tests/sim/sound_watch.h"
#include "tests/sim/test_blocks.h"

// Texture names as the game would have them, with no GL textures behind.
inline void nameTestTextures()
{
    metalTexture = 1;
    glassTexture = 2;
    woodTextures = {3, 4, 5, 6, 7, 8};
}

inline void resetSimulation(Ball& b)
{
    resetWorld();
    nameTestTextures();
    // Far from every test's ball, so that no test ends the game by accident.
    goalPosition = {0.0f, -1000.0f, 0.0f};
    initBall(b);
    airborne = false;
    fallSoundPlayed = false;
    checkpointPosition = {7.0f, 0.5f, 0.0f};
    checkpointRadius = 0.5f;
    gameState = Playing;
    moveForward = moveRight = moveBack = moveLeft = false;
    jumpHeld = false;
    cameraYaw = 0.0f;
    goalAngle = 0.0f;
}

// A wide static floor whose top is at the given height.
inline Block* addFloor(float top, unsigned int texture = 0)
{
    return addBlock({-1000.0f, top - 1.0f, -1000.0f}, {2000.0f, 1.0f, 2000.0f}, {}, texture);
}

class SimTest : public ::testing::Test {
protected:
    Ball b{};

    void SetUp() override
    {
        ASSERT_TRUE(makeHeadlessContext());
        ASSERT_TRUE(soundwatch::start());
        soundwatch::reset();
        resetSimulation(b);
    }
    void TearDown() override { resetWorld(); }

    Vec3 centre() const { return {b.position.x, b.position.y + b.radius, b.position.z}; }

    void steps(int n)
    {
        for (int i = 0; i < n; ++i) {
            ballStep(b);
        }
    }

    // Steps until done() holds (asked before every step); returns the steps
    // taken, or the limit when it never held.
    template <typename Done>
    int stepsUntil(Done done, int limit = 1000)
    {
        int n = 0;
        while (!done() && n < limit) {
            ballStep(b);
            ++n;
        }
        return n;
    }
};
