#include "app/script/script_course.h"

std::string scriptCourse(const std::vector<ScriptLine>& lines, const std::vector<std::string>& folders,
                         FoundCourse& found)
{
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].command.kind != ScriptKind::Course) continue;
        if (i > 0) {
            return "line " + std::to_string(lines[i].number) + ": a course line must come before any other";
        }
        const std::string problem = findCourse(lines[i].command.path, folders, found);
        if (!problem.empty()) return "line " + std::to_string(lines[i].number) + ": " + problem;
    }
    if (lines.empty() || lines[0].command.kind != ScriptKind::Course) return findCourse(builtInCourseId, folders, found);
    return "";
}

Game newScriptGame(const FoundCourse& course)
{
    return newGame(course.course, 1);
}
