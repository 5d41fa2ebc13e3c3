// libFuzzer target: any bytes as a replay script, through the tool's own line
// reader and parser. Besides what the sanitizers catch, every accepted line
// must be within the documented ranges and every complaint safe to print.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/script/script.h"

namespace {

bool safeToPrint(const std::string& text)
{
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7f) return false;
    }
    return true;
}

bool withinRanges(const ScriptCommand& c)
{
    switch (c.kind) {
    case ScriptKind::KeyDown:
    case ScriptKind::KeyUp: return c.a >= 0 && c.a <= 255;
    case ScriptKind::Mouse: return c.a >= -mouseReach && c.a <= mouseReach && c.b >= -mouseReach && c.b <= mouseReach;
    case ScriptKind::Tick: return c.a >= 0 && c.a <= largestTickCount;
    case ScriptKind::Window: return c.a >= 1 && c.b >= 1;
    case ScriptKind::Shot:
    case ScriptKind::Ghost: return !c.path.empty();
    default: return true;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    std::FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
    if (file == nullptr) return 0;
    ScriptReader reader{file};
    for (std::string line; nextLine(reader, line);) {
        if (line.find_first_of("\r\n") != std::string::npos) std::abort();
        ScriptCommand command{};
        bool empty = false;
        const std::string problem = parseScriptLine(line, command, empty);
        if (!safeToPrint(problem)) std::abort();
        if (problem.empty() && !empty && !withinRanges(command)) std::abort();
    }
    std::fclose(file);
    return 0;
}
