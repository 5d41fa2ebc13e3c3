#pragma once
// The course from the start pad to the goal ring, section by section.

// Plays the whole route from the start; each section reports where the ball
// is. Returns the number of sections passed (all of them when the ball
// reached the ring).
int driveCourse();
int courseSections();
