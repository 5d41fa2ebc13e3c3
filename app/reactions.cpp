#include "app/reactions.h"

#include <GL/freeglut.h>

namespace {

// The music softer while paused, as usual again after.
void followPause(Session& s)
{
    if (s.show.musicSoft == s.play.paused) return;
    s.show.musicSoft = s.play.paused;
    softenMusic(s.show.sounds, s.show.musicSoft);
}

// Backspace: the sound and the ticks as at start-up too, even from the end
// screen, where the ticks had stopped.
void followRestart(Session& s)
{
    s.show.runLine.clear();
    restartRace(s.race);
    restartMusic(s.show.sounds);
    s.show.musicSoft = false;
    if (restartTickLoop(s.loop, glutGet(GLUT_ELAPSED_TIME))) scheduleTicks(s);
}

// In an ordinary window, mouse look takes the pointer (hidden, held at the
// centre) and gives it back when switched off.
void followMouseLook(Session& s)
{
    Devices& d = s.devices;
    if (!s.settings.options.windowed || d.pointerFree == s.play.input.mouseLookDisabled) return;
    d.pointerFree = s.play.input.mouseLookDisabled;
    glutSetCursor(d.pointerFree ? GLUT_CURSOR_INHERIT : GLUT_CURSOR_NONE);
    // From the centre, so that switching it on does not turn the view.
    if (!d.pointerFree) glutWarpPointer(d.window.width / 2, d.window.height / 2);
}

}  // namespace

void followKey(Session& s, const KeyOutcome& outcome)
{
    if (outcome.record) {
        recordInput(s.traces.recording, outcome.command);
        noteRunInput(s.race.script, outcome.command);
    }
    if (outcome.command.kind == ScriptKind::Restart) followRestart(s);
    if (outcome.mute) switchMute(s.show.sounds);
    if (outcome.quit) exitGame(s, 0);
    followMouseLook(s);
    followPause(s);
    glutPostRedisplay();
}

bool followPointer(Session& s, int x, int y, int width, int height)
{
    if (watching(s)) return false;
    const PointerOutcome outcome = movePlayPointer(s.play, x, y, width, height);
    if (outcome.record) {
        recordPointer(s.traces.recording, x, y, width, height);
        noteRunPointer(s.race.script, x, y, width, height);
    }
    return outcome.warp;
}

void followGamepad(Session& s)
{
    Gamepad& pad = s.devices.pad;
    const PadReading now = readGamepad(pad);
    for (const PadChange& change : padChanges(pad.last, now)) {
        followKey(s, change.down ? pressAction(s.play, change.action) : releaseAction(s.play, change.action));
    }
    pad.last = now;
    const ScriptScreen screen;
    if (now.lookX != 0 || now.lookY != 0) {
        followPointer(s, screen.width / 2 + now.lookX, screen.height / 2 + now.lookY, screen.width, screen.height);
    }
}
