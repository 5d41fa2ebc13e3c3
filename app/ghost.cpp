#include "app/ghost.h"

#include <cstdio>
#include <utility>

#include "app/small_file.h"

std::string parseScriptText(const std::string& text, std::vector<ScriptCommand>& commands)
{
    commands.clear();
    if (text.empty()) return "";
    std::FILE* file = fmemopen(const_cast<char*>(text.data()), text.size(), "r");
    if (!file) return "cannot be read";
    ScriptReader reader{file};
    std::string problem;
    for (std::string line; problem.empty() && nextLine(reader, line);) {
        ScriptCommand command{};
        bool empty = false;
        problem = parseScriptLine(line, command, empty);
        if (!problem.empty()) problem = "line " + std::to_string(reader.number) + ": " + problem;
        if (problem.empty() && !empty) commands.push_back(std::move(command));
    }
    std::fclose(file);
    if (!problem.empty()) commands.clear();
    return problem;
}

Ghost ghostOf(std::vector<ScriptCommand> commands)
{
    Ghost ghost;
    ghost.script.commands = std::move(commands);
    ghost.marks = startMarks(ghost.game.course);
    for (int32_t played = 0; played < lookAheadTicks && !ghost.script.over; ++played) {
        if (!nextWatchedTick(ghost.script, ghost.input, ghost.game)) break;
        advanceTick(ghost.game, ghost.input.controls);
        // A restart in the script begins another run.
        if (ghost.game.ticksPlayed == 1) ghost.marks = startMarks(ghost.game.course);
        noteMarks(ghost.marks, ghost.game);
    }
    restartGhost(ghost);
    return ghost;
}

Ghost ghostOfRun(std::vector<ScriptCommand> commands, const RunMarks& marks)
{
    Ghost ghost;
    ghost.script.commands = std::move(commands);
    ghost.marks = marks;
    return ghost;
}

std::string loadGhost(const std::string& path, Ghost& ghost, bool& missing)
{
    std::string text;
    const SmallFile read = readSmallFile(path, largestGhostScript, text);
    missing = read == SmallFile::Missing;
    if (missing) return path + " is not there";
    if (read == SmallFile::Unreadable) return path + " cannot be read";
    if (read == SmallFile::TooLarge) {
        return path + " is too large for a run (more than " + std::to_string(largestGhostScript >> 20) + " MB)";
    }
    std::vector<ScriptCommand> commands;
    const std::string problem = parseScriptText(text, commands);
    if (!problem.empty()) return path + ": " + problem;
    ghost = ghostOf(std::move(commands));
    return "";
}

void restartGhost(Ghost& ghost)
{
    ghost.script.next = 0;
    ghost.script.ticksLeft = 0;
    ghost.script.screen = ScriptScreen{};
    ghost.script.over = false;
    restartScript(ghost.game, ghost.input);
}

void advanceGhost(Ghost& ghost)
{
    if (nextWatchedTick(ghost.script, ghost.input, ghost.game)) advanceTick(ghost.game, ghost.input.controls);
}

bool advanceGhostBeside(Ghost& ghost, const Game& player)
{
    const bool again = player.ticksPlayed == 1 && (ghost.game.ticksPlayed > 0 || ghost.script.next > 0);
    if (again) restartGhost(ghost);
    advanceGhost(ghost);
    return again;
}
