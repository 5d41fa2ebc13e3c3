#include "tools/bench/route_states.h"

#include <fstream>

#include "app/script/script.h"

bool playRouteTo(const std::string& routeFile, long long tick, RouteState& state)
{
    std::ifstream in(routeFile);
    if (!in) return false;
    Game game = newScriptGame();
    Input input;
    ScriptScreen screen;
    long long played = 0;
    for (std::string line; played < tick && std::getline(in, line);) {
        ScriptCommand command;
        bool empty = false;
        if (!parseScriptLine(line, command, empty).empty()) return false;
        if (empty) continue;
        if (command.kind == ScriptKind::Tick) {
            for (int n = command.a; n > 0 && played < tick; --n, ++played) advanceTick(game, input.controls);
        } else if (applyScriptInput(command, input, game.camera, screen)) {
            break;
        }
    }
    state = RouteState{game, input.controls};
    return played == tick;
}
