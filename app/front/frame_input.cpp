#include "app/front/frame_input.h"

#include "app/race/best_times.h"
#include "sim/items.h"
#include "sim/timing.h"

std::string timerLine(const Game& game)
{
    return formatRunTime(ticksToMilliseconds(game.ticksPlayed)) + "   checkpoints " +
           std::to_string(checkpointsTaken(game.courseState)) + "/" + std::to_string(game.course->checkpoints.size());
}

namespace {

OverlayLine overlayLine(const SplitLine& split)
{
    switch (split.look) {
    case SplitLook::Ahead: return {split.text, {0.35f, 1.0f, 0.35f}};
    case SplitLook::Behind: return {split.text, {1.0f, 0.35f, 0.3f}};
    default: return {split.text};
    }
}

}  // namespace

FrameInput frameInputOf(const Play& play, const Race* race, int width, int height, const std::string& runLine,
                        bool splitsShown, bool menuOpen)
{
    const Game& game = play.game;
    FrameInput input;
    input.game = &game;
    input.width = width;
    input.height = height;
    if (race) input.ghost = ghostBall(*race, play.ghostShown);
    if (game.gameState == Playing) {
        if (play.timerShown) {
            OverlayBlock timer{{{timerLine(game)}}, OverlayPlace::TopLeft};
            if (race && splitsShown) {
                if (const std::optional<SplitLine> split = raceSplit(*race, game)) timer.lines.push_back(overlayLine(*split));
            }
            input.overlay.push_back(std::move(timer));
        }
        if (play.paused && !menuOpen) input.overlay.push_back({{{"paused"}}, OverlayPlace::AboveCentre});
    } else if (play.timerShown && !runLine.empty()) {
        OverlayBlock end{{{runLine}}, OverlayPlace::TopLeft};
        if (race && splitsShown) {
            for (const SplitLine& line : race->endLines) end.lines.push_back(overlayLine(line));
        }
        input.overlay.push_back(std::move(end));
    }
    return input;
}
