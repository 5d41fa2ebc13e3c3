#include "app/watching.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <utility>

std::string loadWatch(Watch& watch, const std::string& path)
{
    watch = Watch{};
    std::vector<ScriptCommand> commands;
    std::ifstream file(path);
    if (!file) return "skycourse: cannot read " + path + ": " + std::strerror(errno);
    std::string line;
    for (long long number = 1; std::getline(file, line); ++number) {
        ScriptCommand command{};
        bool empty = false;
        const std::string problem = parseScriptLine(line, command, empty);
        if (!problem.empty()) return scriptLineMessage(("skycourse: " + path).c_str(), number, problem);
        if (!empty) commands.push_back(command);
    }
    if (file.bad()) return "skycourse: cannot read " + path + ": " + std::strerror(errno);
    watch.commands = std::move(commands);
    return "";
}

bool nextWatchedTick(Watch& watch, Input& input, Game& game)
{
    while (!watch.over) {
        if (watch.ticksLeft > 0) {
            --watch.ticksLeft;
            return true;
        }
        if (watch.next == watch.commands.size()) {
            watch.over = true;
            break;
        }
        const ScriptCommand& command = watch.commands[watch.next++];
        if (command.kind == ScriptKind::Tick) {
            watch.ticksLeft = command.a;
        } else if (command.kind == ScriptKind::Restart) {
            restartScript(game, input);
        } else if (applyScriptInput(command, input, game.camera, watch.screen)) {
            watch.over = true;
        }
    }
    return false;
}
