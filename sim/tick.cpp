#include "sim/game.h"

#include "sim/block_motion.h"
#include "sim/items.h"
#include "sim/timing.h"
#include "world/level.h"

Game newGame(unsigned int seed)
{
    Game game;
    game.course = buildLevel();
    game.random = seededRandom(seed);
    return game;
}

bool advanceTick(Game& game, const Controls& controls)
{
    game.events.clear();
    if (game.gameState == EndScreen) return false;

    // Each list gets its whole tick before the next one starts, so every
    // ball step of the tick sees the blocks at their end-of-tick places.
    for (Block& block : game.course.blocks) {
        runFixedSteps(block.stepTimer, [&block] { moveBlockStep(block); });
    }
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
