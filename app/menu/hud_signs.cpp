#include "app/menu/hud_signs.h"

#include "sim/items.h"

void noteSigns(HudSign& sign, const Game& game)
{
    for (const GameEvent& event : game.events) {
        std::string text;
        switch (event.kind) {
        case EventKind::CheckpointSaved:
            text = "Checkpoint " + std::to_string(checkpointsTaken(game.courseState)) + " of " +
                   std::to_string(game.course->checkpoints.size());
            break;
        case EventKind::Shrink: text = "Smaller"; break;
        case EventKind::Grow: text = "Larger"; break;
        case EventKind::GoalReached: text = "Goal!"; break;
        default: break;
        }
        if (!text.empty()) sign = {text, game.ticksPlayed};
    }
}

std::string signAt(const HudSign& sign, int32_t nowTick)
{
    if (sign.text.empty() || nowTick < sign.shownAtTick || nowTick >= sign.shownAtTick + signShownTicks) return "";
    return sign.text;
}

void addSign(FrameInput& input, const HudSign& sign, int32_t nowTick)
{
    const std::string text = signAt(sign, nowTick);
    if (!text.empty()) input.overlay.push_back({{{text, {1.0f, 0.84f, 0.32f}}}, OverlayPlace::AboveCentre});
}
