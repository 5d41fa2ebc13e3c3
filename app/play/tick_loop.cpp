#include "app/play/tick_loop.h"

void startTickLoop(TickLoop& loop, double nowMs)
{
    loop.clock = startTickClock(nowMs);
    loop.running = true;
}

int playDueTicks(TickLoop& loop, const Play& play, double nowMs, const PlayTick& playTick)
{
    if (!loop.running) return 0;
    const int owed = takeTicksToPlay(play, loop.clock, nowMs);
    for (int i = 0; i < owed && loop.running; ++i) loop.running = playTick();
    return owed;
}

bool restartTickLoop(TickLoop& loop, double nowMs)
{
    if (loop.running) return false;
    startTickLoop(loop, nowMs);
    return true;
}

GameTick advancePlay(Play& play)
{
    GameTick tick;
    tick.ticked = advanceTick(play.game, play.input.controls);
    for (const GameEvent& event : play.game.events) {
        tick.goalReached = tick.goalReached || event.kind == EventKind::GoalReached;
    }
    return tick;
}
