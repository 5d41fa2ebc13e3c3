#pragma once

#include <string>
// The course from the start pad to the goal ring, section by section.

// Plays the whole route from the start; each section reports where the ball
// is. Returns the number of sections passed (all of them when the ball
// reached the ring).
int driveCourse();
int courseSections();

// The replay script of everything played, as the route file holds it: a
// comment with the count of ticks and sections, the ticks, the checkpoint
// colours and Esc.
std::string courseScript(int passed);
