#include "app/input/pad.h"

// Apart from the SDL reading, so that a pad read another way (the browser's)
// turns into the same presses and releases.

unsigned padInputs(const PadReading& reading, int deadZonePercent)
{
    unsigned inputs = reading.buttons & ((1u << padButtonCount) - 1);
    const auto pushed = [&](int input, int value, int direction) {
        if (stickPushed(value, direction, deadZonePercent)) inputs |= 1u << input;
    };
    pushed(padStickUp, reading.leftY, -1);
    pushed(padStickDown, reading.leftY, 1);
    pushed(padStickLeft, reading.leftX, -1);
    pushed(padStickRight, reading.leftX, 1);
    return inputs;
}

unsigned padActions(const KeyBindings& bindings, unsigned inputs)
{
    unsigned actions = 0;
    for (int button = 0; button < padButtonCount; ++button) {
        Action action;
        if ((inputs >> button & 1u) && actionOfKey(bindings, padKey(button), action)) actions |= 1u << int(action);
    }
    const Action stick[] = {Action::Forward, Action::Back, Action::Left, Action::Right};
    for (int i = 0; i < 4; ++i) {
        if (inputs >> (padStickUp + i) & 1u) actions |= 1u << int(stick[i]);
    }
    return actions;
}

std::vector<PadChange> padChanges(unsigned before, unsigned now)
{
    // The pad's own actions in the order they have always been followed,
    // so that a reading changing several at once plays as it did; then the
    // others.
    static constexpr Action order[] = {
        Action::Forward, Action::Back,   Action::Left,      Action::Right, Action::Jump,  Action::TurnLeft,
        Action::TurnRight, Action::Pause, Action::MouseLook, Action::TurnRound, Action::Camera, Action::Level,
        Action::Restart, Action::Timer,  Action::Mute,      Action::Ghost,
    };
    std::vector<PadChange> changes;
    for (const bool down : {false, true}) {
        for (const Action action : order) {
            const unsigned bit = 1u << int(action);
            if ((before & bit) != (now & bit) && ((now & bit) != 0) == down) changes.push_back({action, down});
        }
    }
    return changes;
}
