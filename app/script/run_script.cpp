#include "app/script/run_script.h"

void startRunScript(RunScript& run)
{
    run.commands.clear();
    run.screen = ScriptScreen{};
}

void noteRunInput(RunScript& run, const ScriptCommand& command)
{
    if (command.kind == ScriptKind::Restart) {
        startRunScript(run);
        return;
    }
    // Keys the script cannot name change nothing in the game.
    if (!spellScriptLine(command).empty()) run.commands.push_back(command);
}

void noteRunPointer(RunScript& run, int x, int y, int width, int height)
{
    if (width != run.screen.width || height != run.screen.height) {
        run.screen = {width, height};
        run.commands.push_back({ScriptKind::Window, width, height, {}});
    }
    run.commands.push_back({ScriptKind::Mouse, x, y, {}});
}

void noteRunTick(RunScript& run)
{
    if (!run.commands.empty() && run.commands.back().kind == ScriptKind::Tick &&
        run.commands.back().a < largestTickCount) {
        ++run.commands.back().a;
        return;
    }
    run.commands.push_back({ScriptKind::Tick, 1, 0, {}});
}

std::string spellRunScript(const RunScript& run)
{
    std::string text = run.course.empty() ? "" : "course " + run.course + "\n";
    for (const ScriptCommand& command : run.commands) text += spellScriptLine(command) + "\n";
    return text;
}
