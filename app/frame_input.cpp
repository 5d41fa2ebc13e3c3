#include "app/frame_input.h"

#include "app/best_times.h"
#include "sim/items.h"
#include "sim/timing.h"

std::string timerLine(const Game& game)
{
    return formatRunTime(int64_t(game.ticksPlayed) * tickMilliseconds) + "   checkpoints " +
           std::to_string(checkpointsTaken(game.course)) + "/" + std::to_string(game.course.checkpoints.size());
}

FrameInput frameInputOf(const Play& play, int width, int height, const std::string& runLine)
{
    const Game& game = play.game;
    FrameInput input;
    input.game = &game;
    input.width = width;
    input.height = height;
    if (game.gameState == Playing) {
        if (play.timerShown) input.overlay.push_back({{{timerLine(game)}}, OverlayPlace::TopLeft});
        if (play.paused) input.overlay.push_back({{{"paused"}}, OverlayPlace::AboveCentre});
    } else if (play.timerShown && !runLine.empty()) {
        input.overlay.push_back({{{runLine}}, OverlayPlace::TopLeft});
    }
    return input;
}
