#pragma once
// What the desktop game does about a key's outcome, a pointer move and the
// pad: the recording, the sound, the pointer, the ticks and the way out.

#include "app/session.h"

// A key's outcome: written into the recording, heard, or the way out.
void followKey(Session& session, const KeyOutcome& outcome);

// The pointer at (x, y) of a screen this size, from the mouse or the pad's
// right stick; true when it is to be put back at the centre.
bool followPointer(Session& session, int x, int y, int width, int height);

// The pad's buttons as the keys of their actions, its right stick as the
// mouse on the screen a script's mouse lines are given in.
void followGamepad(Session& session);
