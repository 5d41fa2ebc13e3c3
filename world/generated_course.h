#pragma once
// A course of any size made from a seed: random boxes and cylinders (glass,
// wood and metal, some of them moving), orbs and checkpoints scattered among
// them, the goal beyond. Nothing about it is the built-in course's, so what
// plays or draws it right assumes no count or place of that course.

#include "world/world.h"

struct CourseSize {
    int blocks = 300;
    int sizeOrbs = 20;
    int checkpoints = 20;
};

// The same course for the same seed and size. A wide floor under the start
// comes first, so a ball has somewhere to roll.
Course generatedCourse(unsigned int seed, CourseSize size);
