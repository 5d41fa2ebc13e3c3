#include "sim/course_state.h"

BlockState startState(const Block& block)
{
    return {startPosition(block), block.velocity, 0.0f};
}

CourseState startState(const Course& course)
{
    CourseState state;
    state.blocks.reserve(course.blocks.size());
    for (const Block& block : course.blocks) state.blocks.push_back(startState(block));
    state.sizeOrbs.assign(course.sizeOrbs.size(), PulseState{});
    state.checkpoints.assign(course.checkpoints.size(), CheckpointState{});
    return state;
}
