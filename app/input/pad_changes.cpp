#include "app/input/pad.h"

// Apart from the SDL reading, so that a pad read another way (the browser's)
// turns into the same presses and releases.
std::vector<PadChange> padChanges(const PadReading& before, const PadReading& now)
{
    struct Held {
        bool PadReading::*field;
        Action action;
    };
    static constexpr Held held[] = {
        {&PadReading::forward, Action::Forward}, {&PadReading::back, Action::Back},
        {&PadReading::left, Action::Left},       {&PadReading::right, Action::Right},
        {&PadReading::jump, Action::Jump},       {&PadReading::turnLeft, Action::TurnLeft},
        {&PadReading::turnRight, Action::TurnRight}, {&PadReading::pause, Action::Pause},
        {&PadReading::mouseLook, Action::MouseLook},
    };
    std::vector<PadChange> changes;
    for (const bool down : {false, true}) {
        for (const Held& h : held) {
            if (before.*h.field != now.*h.field && now.*h.field == down) changes.push_back({h.action, down});
        }
    }
    return changes;
}
