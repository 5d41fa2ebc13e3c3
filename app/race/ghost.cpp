#include "app/race/ghost.h"

#include "app/script/script_course.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include "app/files/small_file.h"
#include "app/script/watching.h"

std::string parseScriptText(const std::string& text, std::vector<ScriptLine>& lines)
{
    lines.clear();
    if (text.empty()) return "";
    std::FILE* file = fmemopen(const_cast<char*>(text.data()), text.size(), "r");
    if (!file) return std::string("cannot be read: ") + std::strerror(errno);
    const ScriptFault fault = readScript(file, lines);
    std::fclose(file);
    if (fault.problem.empty()) return "";
    lines.clear();
    if (fault.number == 0) return "cannot be read: " + fault.problem;
    return "line " + std::to_string(fault.number) + ": " + fault.problem;
}

Ghost ghostOf(std::vector<ScriptLine> lines, std::shared_ptr<const Course> course)
{
    Ghost ghost;
    ghost.game = newGame(std::move(course), 1);
    ghost.script.lines = std::move(lines);
    ghost.marks = startMarks(*ghost.game.course);
    for (int32_t played = 0; played < lookAheadTicks && nextWatchedTick(ghost.script, ghost.input, ghost.game);
         ++played) {
        advanceTick(ghost.game, ghost.input.controls);
        // A restart in the script begins another run.
        if (ghost.game.ticksPlayed == 1) ghost.marks = startMarks(*ghost.game.course);
        noteMarks(ghost.marks, ghost.game);
    }
    restartGhost(ghost);
    return ghost;
}

Ghost ghostOfRun(const std::vector<ScriptCommand>& commands, const RunMarks& marks)
{
    Ghost ghost;
    ghost.script.lines.reserve(commands.size());
    for (const ScriptCommand& command : commands) {
        ghost.script.lines.push_back({command, (long long)ghost.script.lines.size() + 1});
    }
    ghost.marks = marks;
    return ghost;
}

std::string loadGhost(const std::string& path, Ghost& ghost, bool& missing, std::string* read)
{
    std::string own;
    std::string& text = read ? *read : own;
    const SmallFile got = readSmallFile(path, largestGhostScript, text);
    missing = got == SmallFile::Missing;
    if (missing) return path + " is not there";
    if (got == SmallFile::Unreadable) return path + " cannot be read";
    if (got == SmallFile::TooLarge) {
        return path + " is too large for a run (more than " + std::to_string(largestGhostScript >> 20) + " MB)";
    }
    std::vector<ScriptLine> lines;
    std::string problem = parseScriptText(text, lines);
    if (!problem.empty()) return path + ": " + problem;
    FoundCourse course;
    problem = scriptCourse(lines, courseFolders(), course);
    if (!problem.empty()) return path + ": " + problem;
    ghost = ghostOf(std::move(lines), course.course);
    return "";
}

void restartGhost(Ghost& ghost)
{
    ghost.script.next = 0;
    ghost.script.ticksLeft = 0;
    ghost.script.screen = ScriptScreen{};
    ghost.script.quit = false;
    restartScript(ghost.game, ghost.input);
}

void advanceGhost(Ghost& ghost)
{
    if (nextWatchedTick(ghost.script, ghost.input, ghost.game)) advanceTick(ghost.game, ghost.input.controls);
}

void advanceGhost(Ghost& ghost, const Game& player)
{
    if (nextWatchedTick(ghost.script, ghost.input, ghost.game)) {
        advanceTickBeside(ghost.game, ghost.input.controls, player);
    }
}

void advanceGhostBeside(Ghost& ghost, const Game& player)
{
    if (player.ticksPlayed == 1 &&
        (ghost.game.ticksPlayed > 0 || ghost.script.next > 0 || ghost.game.seed != player.seed)) {
        ghost.game.seed = player.seed;  // what the restart starts the ghost's game from
        restartGhost(ghost);
    }
    advanceGhost(ghost, player);
}
