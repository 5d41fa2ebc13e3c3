#include "app/play/tick_clock.h"

#include <cmath>

#include "sim/timing.h"

TickClock startTickClock(double nowMs)
{
    return TickClock{nowMs, 0};
}

int takeTicksOwed(TickClock& clock, double nowMs)
{
    const long long due = static_cast<long long>(std::floor((nowMs - clock.startMs) / tickMilliseconds));
    long long owed = due - clock.ticksRun;
    if (owed <= 0) return 0;
    if (owed > mostTicksPerCallback) {
        clock.startMs += double(owed - mostTicksPerCallback) * tickMilliseconds;
        owed = mostTicksPerCallback;
    }
    clock.ticksRun += owed;
    return static_cast<int>(owed);
}

unsigned int millisecondsToNextTick(const TickClock& clock, double nowMs)
{
    const double next = clock.startMs + double(clock.ticksRun + 1) * tickMilliseconds;
    return next > nowMs ? static_cast<unsigned int>(std::ceil(next - nowMs)) : 0u;
}
