#pragma once
// The course a script is played on: named in its first line (`course
// NAME`, or `course FILE`), the built-in course when there is none. Every
// reader of a script (the replay tool, --watch, a ghost) starts its game
// here.

#include <string>
#include <vector>

#include "app/files/course_library.h"
#include "app/script/script_player.h"
#include "sim/game.h"

// The script's course, found in `folders`. Empty, or the one line saying
// what is wrong: a course that cannot be found or read, or a `course` line
// after the first command.
std::string scriptCourse(const std::vector<ScriptLine>& lines, const std::vector<std::string>& folders,
                         FoundCourse& found);

// The game every script on that course starts from: its item pulses seeded
// with 1, as newScriptGame's are.
Game newScriptGame(const FoundCourse& course);
