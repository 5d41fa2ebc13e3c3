#include "app/play/play.h"

#include <cstring>

#include "app/input/key_codes.h"

namespace {

bool isComfort(Action action)
{
    return action == Action::Pause || action == Action::Restart || action == Action::Timer ||
           action == Action::Mute || action == Action::Ghost;
}

// The arrow, the Shift+arrow or the ASCII key an action stands for, as
// app/input.cpp reads them; false for a turn's release, which is nothing.
bool standInFor(Action action, bool down, const Input& input, ScriptCommand& command)
{
    const ScriptKind specialKind = down ? ScriptKind::SpecialDown : ScriptKind::SpecialUp;
    const ScriptKind keyKind = down ? ScriptKind::KeyDown : ScriptKind::KeyUp;
    switch (action) {
    case Action::Forward: command = {specialKind, keyUp, 0, {}}; return true;
    case Action::Back: command = {specialKind, keyDown, 0, {}}; return true;
    case Action::Left: command = {specialKind, keyLeft, 0, {}}; return true;
    case Action::Right: command = {specialKind, keyRight, 0, {}}; return true;
    case Action::Jump: command = {keyKind, input.jumpKey, 0, {}}; return true;
    case Action::Camera: command = {keyKind, 'c', 0, {}}; return true;
    case Action::MouseLook: command = {keyKind, 'p', 0, {}}; return true;
    case Action::Level: command = {keyKind, 'l', 0, {}}; return true;
    default: break;
    }
    if (!down) return false;
    const int arrow = action == Action::TurnLeft ? keyLeft : action == Action::TurnRight ? keyRight
                                                                                              : keyDown;
    command = {ScriptKind::SpecialDown, arrow, modifierShift, {}};
    return true;
}

ScriptCommand asItIs(PlayerKey key, bool down, int modifiers)
{
    if (key.special) return {down ? ScriptKind::SpecialDown : ScriptKind::SpecialUp, key.code, down ? modifiers : 0, {}};
    return {down ? ScriptKind::KeyDown : ScriptKind::KeyUp, key.code, 0, {}};
}

KeyOutcome comfort(Play& play, Action action)
{
    KeyOutcome outcome;
    switch (action) {
    case Action::Pause:
        // Nothing moves on the end screen; there is nothing to pause.
        play.paused = !play.paused && play.game.gameState == Playing;
        break;
    case Action::Restart:
        restartPlay(play);
        outcome.record = true;
        outcome.command.kind = ScriptKind::Restart;
        break;
    case Action::Timer:
        play.timerShown = !play.timerShown;
        break;
    case Action::Ghost:
        play.ghostShown = !play.ghostShown;
        break;
    default:
        outcome.mute = true;
        break;
    }
    return outcome;
}

KeyOutcome actOn(Play& play, const ScriptCommand& command)
{
    KeyOutcome outcome;
    outcome.record = true;
    outcome.command = command;
    outcome.quit = applyScriptInput(command, play.input, play.game.camera, play.screen);
    return outcome;
}

// memcmp rather than std::bit_cast, which the browser build's C++ library
// does not have.
bool sameBits(float a, float b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace

Play startPlay(const Game& game)
{
    Play play;
    play.game = game;
    play.start = game;
    return play;
}

void restartPlay(Play& play)
{
    play.game = play.start;
    play.input = Input{};
    play.paused = false;
}

KeyOutcome pressPlayKey(Play& play, const KeyBindings& bindings, PlayerKey key, int modifiers)
{
    Action action;
    if (actionOfKey(bindings, key, action)) return pressAction(play, action);
    // A pad's button is no key of the keyboard's: only its action plays.
    if (key.pad) return {};
    const bool escape = !key.special && key.code == keyEscape;
    return play.paused && !escape ? KeyOutcome{} : actOn(play, asItIs(key, true, modifiers));
}

KeyOutcome releasePlayKey(Play& play, const KeyBindings& bindings, PlayerKey key)
{
    Action action;
    if (actionOfKey(bindings, key, action)) return releaseAction(play, action);
    if (key.pad) return {};
    return actOn(play, asItIs(key, false, 0));
}

KeyOutcome pressAction(Play& play, Action action)
{
    ScriptCommand command;
    if (isComfort(action)) return comfort(play, action);
    if (play.paused || !standInFor(action, true, play.input, command)) return {};
    return actOn(play, command);
}

KeyOutcome releaseAction(Play& play, Action action)
{
    ScriptCommand command;
    if (isComfort(action) || !standInFor(action, false, play.input, command)) return {};
    return actOn(play, command);
}

PointerOutcome movePlayPointer(Play& play, int x, int y, int width, int height)
{
    if (play.paused) return {};
    Camera& camera = play.game.camera;
    const Camera before = camera;
    const PointerWarp warp = movePointer(play.input, camera, x, y, width, height);
    // A move only ever turns or tilts the view; one that did neither (mouse
    // look off, our own warp back to the centre) replays as nothing.
    const bool turned = !sameBits(before.cameraYaw, camera.cameraYaw) || !sameBits(before.cameraPitch, camera.cameraPitch);
    return {turned, warp.warp};
}

int takeTicksToPlay(const Play& play, TickClock& clock, double nowMs)
{
    const int owed = takeTicksOwed(clock, nowMs);
    return play.paused ? 0 : owed;
}
