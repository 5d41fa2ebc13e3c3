#include "app/script/script_player.h"

#include <cerrno>
#include <cstring>
#include <utility>

ScriptStep nextScriptStep(ScriptPlayer& player, Game& game, Input& input)
{
    while (!player.quit) {
        if (player.ticksLeft > 0) {
            --player.ticksLeft;
            return {ScriptStop::Tick, &player.lines[player.next - 1]};
        }
        if (player.next == player.lines.size()) return {};
        const ScriptLine& line = player.lines[player.next++];
        switch (line.command.kind) {
        case ScriptKind::Tick:
            player.ticksLeft = line.command.a;
            break;
        case ScriptKind::Blocks:
            return {ScriptStop::Blocks, &line};
        case ScriptKind::Items:
            return {ScriptStop::Items, &line};
        case ScriptKind::Shot:
            return {ScriptStop::Shot, &line};
        case ScriptKind::Ghost:
            return {ScriptStop::Ghost, &line};
        case ScriptKind::GhostRows:
            return {ScriptStop::GhostRows, &line};
        case ScriptKind::Restart:
            restartScript(game, input);
            break;
        default:
            if (applyScriptInput(line.command, input, game.camera, player.screen)) {
                player.quit = true;
                return {ScriptStop::Quit, &line};
            }
            break;
        }
    }
    return {ScriptStop::Quit, nullptr};
}

void forgetPlayedLines(ScriptPlayer& player)
{
    // The tick line being counted down stays, for the steps that name it.
    const size_t keep = player.ticksLeft > 0 ? player.next - 1 : player.next;
    player.lines.erase(player.lines.begin(), player.lines.begin() + std::ptrdiff_t(keep));
    player.next -= keep;
}

bool readScriptLine(ScriptReader& reader, std::vector<ScriptLine>& lines, ScriptFault& fault)
{
    for (std::string text; nextLine(reader, text);) {
        ScriptLine line;
        bool empty = false;
        std::string problem = parseScriptLine(text, line.command, empty);
        if (!problem.empty()) {
            fault = {reader.number, std::move(problem)};
            return false;
        }
        if (empty) continue;
        line.number = reader.number;
        lines.push_back(std::move(line));
        return true;
    }
    if (std::ferror(reader.file)) fault = {0, std::strerror(errno)};
    return false;
}

ScriptFault readScript(std::FILE* file, std::vector<ScriptLine>& lines)
{
    ScriptReader reader{file};
    ScriptFault fault;
    while (readScriptLine(reader, lines, fault)) {
    }
    return fault;
}

ScriptFault readScriptFile(const std::string& path, std::vector<ScriptLine>& lines)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return {0, std::strerror(errno)};
    ScriptFault fault = readScript(file, lines);
    std::fclose(file);
    return fault;
}
