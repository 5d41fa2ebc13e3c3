#pragma once
// Game time kept on the wall clock. A frame that takes longer than a tick
// would otherwise slow the whole game down: each timer callback runs the
// ticks that have come due since the last one, then the frame is drawn once.

// Times are milliseconds of wall-clock time on any steady clock.
struct TickClock {
    double startMs = 0.0;    // when tick 0 began; moved on when a stall is dropped
    long long ticksRun = 0;
};

// More ticks than this are never run for one callback: after a long stall
// the game goes on from where it was instead of leaping ahead.
constexpr int mostTicksPerCallback = 4;

TickClock startTickClock(double nowMs);
// The ticks due by nowMs and not yet run, at most mostTicksPerCallback;
// counts them as run. A larger backlog is dropped.
int takeTicksOwed(TickClock& clock, double nowMs);
// Whole milliseconds until the next tick is due; 0 when it is due already.
unsigned int millisecondsToNextTick(const TickClock& clock, double nowMs);
