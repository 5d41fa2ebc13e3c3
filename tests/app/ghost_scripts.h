#pragma once
// Scripts for the race's tests: read from text or the recorded route, as
// lines for a ghost or as the commands a player's run notes.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/race/ghost.h"

inline std::vector<ScriptLine> scriptLines(const std::string& text)
{
    std::vector<ScriptLine> lines;
    EXPECT_EQ(parseScriptText(text, lines), "");
    return lines;
}

inline std::vector<ScriptCommand> commandsOf(const std::vector<ScriptLine>& lines)
{
    std::vector<ScriptCommand> commands;
    for (const ScriptLine& line : lines) commands.push_back(line.command);
    return commands;
}

inline Ghost ghostOfText(const std::string& text)
{
    return ghostOf(scriptLines(text));
}

// The recorded route as its ghost, read as a player's file is.
inline Ghost routeGhost()
{
    Ghost ghost;
    bool missing = false;
    EXPECT_EQ(loadGhost(ROUTE_PATH, ghost, missing), "");
    return ghost;
}
