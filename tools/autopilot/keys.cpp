#include "tools/autopilot/keys.h"

#include "app/input/key_codes.h"

namespace {

const char* arrowName(bool xAxis, int sign)
{
    if (xAxis) return sign > 0 ? "RIGHT" : "LEFT";
    return sign > 0 ? "DOWN" : "UP";
}

void axisEvents(bool xAxis, int from, int to, std::vector<std::string>& releases,
                std::vector<std::string>& presses)
{
    if (from == to) return;
    if (from != 0) releases.push_back(std::string("special up ") + arrowName(xAxis, from));
    if (to != 0) presses.push_back(std::string("special down ") + arrowName(xAxis, to));
}

} // namespace

std::vector<std::string> keyEvents(const Keys& from, const Keys& to)
{
    std::vector<std::string> releases;
    std::vector<std::string> presses;
    axisEvents(true, from.x, to.x, releases, presses);
    axisEvents(false, from.z, to.z, releases, presses);
    if (from.jump != to.jump) (to.jump ? presses : releases).push_back((to.jump ? "key down " : "key up ") + std::to_string(keyEnter));
    releases.insert(releases.end(), presses.begin(), presses.end());
    return releases;
}

std::string scriptForTicks(const std::vector<Keys>& ticks)
{
    std::string out;
    Keys held;
    size_t i = 0;
    while (i < ticks.size()) {
        for (const std::string& line : keyEvents(held, ticks[i])) out += line + "\n";
        held = ticks[i];
        size_t run = 1;
        while (i + run < ticks.size() && ticks[i + run] == held) ++run;
        out += run == 1 ? std::string("tick\n") : "tick " + std::to_string(run) + "\n";
        i += run;
    }
    for (const std::string& line : keyEvents(held, Keys{})) out += line + "\n";
    return out;
}
