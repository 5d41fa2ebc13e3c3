#include "app/script/watching.h"

std::string loadWatch(ScriptPlayer& watch, const std::string& path)
{
    watch = ScriptPlayer{};
    const ScriptFault fault = readScriptFile(path, watch.lines);
    if (fault.problem.empty()) return "";
    watch.lines.clear();
    const std::string shown = printable(path);
    if (fault.number == 0) return "skycourse: cannot read " + shown + ": " + fault.problem;
    return scriptLineMessage(("skycourse: " + shown).c_str(), fault.number, fault.problem);
}

bool nextWatchedTick(ScriptPlayer& watch, Input& input, Game& game)
{
    for (;;) {
        switch (nextScriptStep(watch, game, input).stop) {
        case ScriptStop::Tick: return true;
        case ScriptStop::Quit:
        case ScriptStop::OutOfLines: return false;
        default: break;
        }
    }
}
