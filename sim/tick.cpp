#include "sim/game.h"

#include "sim/block_motion.h"
#include "sim/items.h"
#include "sim/timing.h"
#include "world/level.h"

namespace {

// A block's steps in a tick and its timer afterwards follow from its timer
// alone, and the blocks of a course keep equal timers: the count is worked
// out once for each run of blocks with the same timer.
void moveBlocks(std::vector<Block>& blocks)
{
    bool known = false;
    float timerBefore = 0.0f;
    float timerAfter = 0.0f;
    int steps = 0;
    for (Block& block : blocks) {
        if (!known || !(block.stepTimer == timerBefore)) {
            known = true;
            timerBefore = block.stepTimer;
            timerAfter = block.stepTimer;
            steps = 0;
            runFixedSteps(timerAfter, [&steps] { ++steps; });
        }
        for (int i = 0; i < steps; ++i) moveBlockStep(block);
        block.stepTimer = timerAfter;
    }
}

}  // namespace

Game newGame(unsigned int seed)
{
    Game game;
    game.course = buildLevel();
    game.random = seededRandom(seed);
    // More than five steps of events ever make, so a tick never allocates.
    game.events.reserve(32);
    return game;
}

bool advanceTick(Game& game, const Controls& controls)
{
    game.events.clear();
    if (game.gameState == EndScreen) return false;
    ++game.ticksPlayed;

    // Each list gets its whole tick before the next one starts, so every
    // ball step of the tick sees the blocks at their end-of-tick places.
    moveBlocks(game.course.blocks);
    for (SizeOrb& orb : game.course.sizeOrbs) {
        runFixedSteps(orb.stepTimer, [&] { pulseAlpha(orb, game.random); });
    }
    for (Checkpoint& checkpoint : game.course.checkpoints) {
        runFixedSteps(checkpoint.stepTimer, [&] { pulseAlpha(checkpoint, game.random); });
    }
    runFixedSteps(game.ball.stepTimer, [&] { ballStep(game, controls); });
    runFixedSteps(game.goalStepTimer, [&] { spinGoal(game); });
    return true;
}
