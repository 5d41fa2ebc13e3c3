#include "sim/game.h"

#include <utility>

#include "sim/block_motion.h"
#include "sim/items.h"
#include "sim/timing.h"
#include "world/level.h"

namespace {

// A block's steps in a tick and its timer afterwards follow from its timer
// alone, and the blocks of a course keep equal timers: the count is worked
// out once for each run of blocks with the same timer.
void moveBlocks(const std::vector<Block>& blocks, std::vector<BlockState>& states)
{
    bool known = false;
    float timerBefore = 0.0f;
    float timerAfter = 0.0f;
    int steps = 0;
    for (size_t i = 0; i < states.size(); ++i) {
        BlockState& state = states[i];
        if (!known || !(state.stepTimer == timerBefore)) {
            known = true;
            timerBefore = state.stepTimer;
            timerAfter = state.stepTimer;
            steps = 0;
            runFixedSteps(timerAfter, [&steps] { ++steps; });
        }
        moveBlockSteps(blocks[i], state, steps);
        state.stepTimer = timerAfter;
    }
}

}  // namespace

bool Game::operator==(const Game& other) const
{
    const bool sameCourse = course == other.course || (course && other.course && *course == *other.course);
    return sameCourse && courseState == other.courseState && ball == other.ball && airborne == other.airborne &&
           checkpointPosition == other.checkpointPosition && checkpointRadius == other.checkpointRadius &&
           fallSoundPlayed == other.fallSoundPlayed && goalAngle == other.goalAngle &&
           goalStepTimer == other.goalStepTimer && gameState == other.gameState &&
           ticksPlayed == other.ticksPlayed && camera == other.camera && seed == other.seed &&
           random == other.random &&
           events == other.events;
}

Game newGame(unsigned int seed)
{
    return newGame(std::make_shared<const Course>(buildLevel()), seed);
}

Game newGame(std::shared_ptr<const Course> course, unsigned int seed)
{
    return newGame(std::make_shared<const BlockGrid>(blockGrid(std::move(course))), seed);
}

Game newGame(std::shared_ptr<const BlockGrid> grid, unsigned int seed)
{
    Game game;
    const Course& course = *grid->course;
    game.courseState = startState(course);
    game.ball.position = course.start;
    game.checkpointPosition = course.start;
    game.course = grid->course;
    game.blockGrid = std::move(grid);
    game.seed = seed;
    game.random = seededRandom(seed);
    // More than five steps of events ever make, so a tick never allocates.
    game.events.reserve(32);
    return game;
}

namespace {

// The leader's item pulses and the numbers they drew, as this game's own
// would come out; the checkpoints' taken flags stay this game's.
void takePulses(CourseState& state, Random& random, const Game& leader)
{
    const CourseState& from = leader.courseState;
    state.sizeOrbs = from.sizeOrbs;
    for (size_t i = 0; i < state.checkpoints.size(); ++i) state.checkpoints[i].pulse = from.checkpoints[i].pulse;
    random = leader.random;
}

// With a leader the blocks are the leader's; with pulsesToo, the pulses too.
bool tick(Game& game, const Controls& controls, const Game* leader, bool pulsesToo)
{
    game.events.clear();
    if (game.gameState == EndScreen) return false;
    ++game.ticksPlayed;

    // Each list gets its whole tick before the next one starts, so every
    // ball step of the tick sees the blocks at their end-of-tick places.
    CourseState& state = game.courseState;
    if (leader) {
        state.blocks = leader->courseState.blocks;
    } else {
        moveBlocks(game.course->blocks, state.blocks);
    }
    if (leader && pulsesToo) {
        takePulses(state, game.random, *leader);
    } else {
        for (PulseState& orb : state.sizeOrbs) {
            runFixedSteps(orb.stepTimer, [&] { pulseAlpha(orb, game.random); });
        }
        for (CheckpointState& checkpoint : state.checkpoints) {
            runFixedSteps(checkpoint.pulse.stepTimer, [&] { pulseAlpha(checkpoint.pulse, game.random); });
        }
    }
    const Turn heading = headingOf(game);
    runFixedSteps(game.ball.stepTimer, [&] { ballStep(game, controls, heading); });
    runFixedSteps(game.goalStepTimer, [&] { spinGoal(game); });
    return true;
}

}  // namespace

bool advanceTick(Game& game, const Controls& controls)
{
    return tick(game, controls, nullptr, false);
}

bool advanceTickBeside(Game& game, const Controls& controls, const Game& leader)
{
    // Blocks are only ever moved by a tick that counts in ticksPlayed, from
    // their start places: equal counts on the same course mean equal blocks.
    // The pulses likewise, from their start and the seed's numbers: equal
    // seeds as well mean equal pulses.
    const CourseState& own = game.courseState;
    const CourseState& its = leader.courseState;
    const bool inStep = game.course == leader.course && leader.ticksPlayed == game.ticksPlayed + 1 &&
                        its.blocks.size() == own.blocks.size();
    const bool pulsesToo = inStep && leader.seed == game.seed && its.sizeOrbs.size() == own.sizeOrbs.size() &&
                           its.checkpoints.size() == own.checkpoints.size();
    return tick(game, controls, inStep ? &leader : nullptr, pulsesToo);
}
