#include "app/race/splits.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "app/race/best_times.h"
#include "sim/items.h"
#include "sim/timing.h"

namespace {

int64_t milliseconds(int32_t ticks)
{
    return ticksToMilliseconds(ticks);
}

// The hundredths the timer shows for a time, so that a split adds up with
// the two times on the screen.
int64_t shownHundredths(int32_t ticks)
{
    return milliseconds(ticks) / 10;
}

std::string markName(const RunMarks& marks, int which)
{
    if (size_t(which) == marks.checkpointTicks.size()) return "ring";
    return "checkpoint " + std::to_string(which + 1);
}

}  // namespace

RunMarks startMarks(const Course& course)
{
    RunMarks marks;
    marks.checkpointTicks.assign(course.checkpoints.size(), 0);
    return marks;
}

int noteMarks(RunMarks& marks, const Game& game)
{
    int reached = -1;
    const size_t count = std::min(marks.checkpointTicks.size(), game.courseState.checkpoints.size());
    for (size_t i = 0; i < count; ++i) {
        if (marks.checkpointTicks[i] == 0 && game.courseState.checkpoints[i].taken) {
            marks.checkpointTicks[i] = game.ticksPlayed;
            reached = int(i);
        }
    }
    if (marks.ringTick == 0 && game.gameState == EndScreen) {
        marks.ringTick = game.ticksPlayed;
        reached = int(marks.checkpointTicks.size());
    }
    return reached;
}

int32_t markTick(const RunMarks& marks, int which)
{
    if (which < 0 || size_t(which) > marks.checkpointTicks.size()) return 0;
    return size_t(which) == marks.checkpointTicks.size() ? marks.ringTick : marks.checkpointTicks[size_t(which)];
}

Split splitAt(int32_t runTick, int32_t bestTick)
{
    Split split;
    if (runTick <= 0 || bestTick <= 0) return split;
    split.compared = true;
    split.differenceMs = (shownHundredths(runTick) - shownHundredths(bestTick)) * 10;
    split.look = split.differenceMs < 0 ? SplitLook::Ahead : split.differenceMs > 0 ? SplitLook::Behind
                                                                                    : SplitLook::Plain;
    return split;
}

std::string spellDifference(int64_t differenceMs)
{
    const int64_t hundredths = std::llabs(differenceMs) / 10;
    char text[48];
    std::snprintf(text, sizeof text, "%s%lld.%02lld", differenceMs < 0 ? "-" : differenceMs > 0 ? "+" : "",
                  (long long)(hundredths / 100), (long long)(hundredths % 100));
    return text;
}

std::optional<SplitLine> currentSplit(const RunMarks& run, const RunMarks* best, int32_t nowTick)
{
    int latest = -1;
    const int marks = int(run.checkpointTicks.size()) + 1;
    for (int which = 0; which < marks; ++which) {
        const int32_t tick = markTick(run, which);
        if (tick > 0 && (latest < 0 || tick >= markTick(run, latest))) latest = which;
    }
    if (latest < 0) return std::nullopt;
    const int32_t tick = markTick(run, latest);
    const bool atRing = latest == marks - 1;
    if (!atRing && nowTick - tick >= splitShownTicks) return std::nullopt;
    SplitLine line{markName(run, latest) + "   " + formatRunTime(milliseconds(tick))};
    const Split split = best ? splitAt(tick, markTick(*best, latest)) : Split{};
    if (split.compared) {
        line.text += "   " + spellDifference(split.differenceMs);
        line.look = split.look;
    }
    return line;
}

std::vector<int64_t> stretchTimes(const RunMarks& run)
{
    std::vector<int64_t> stretches;
    int32_t from = 0;
    bool known = true;
    const int marks = int(run.checkpointTicks.size()) + 1;
    for (int which = 0; which < marks; ++which) {
        const int32_t to = markTick(run, which);
        stretches.push_back(known && to > from ? milliseconds(to - from) : 0);
        known = to > 0;
        from = to;
    }
    return stretches;
}

void keepFastestStretches(std::vector<int64_t>& best, const RunMarks& run)
{
    const std::vector<int64_t> stretches = stretchTimes(run);
    if (best.size() != stretches.size()) best.assign(stretches.size(), 0);
    for (size_t i = 0; i < stretches.size(); ++i) {
        if (stretches[i] > 0 && (best[i] == 0 || stretches[i] < best[i])) best[i] = stretches[i];
    }
}

int64_t sumOfFastest(const std::vector<int64_t>& best)
{
    int64_t sum = 0;
    for (int64_t stretch : best) {
        if (stretch <= 0) return 0;
        sum += stretch;
    }
    return best.empty() ? 0 : sum;
}
