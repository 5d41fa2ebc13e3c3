#pragma once
// The Pause key. GLUT passes on no key it has no name for, and Pause is one
// of them, so the game listens for it on a connection of its own to the X
// server, on the game's window.

struct _XDisplay;

struct PauseKey {
    _XDisplay* display = nullptr;
    bool held = false;  // auto-repeat gives more presses, not more pauses
};

// Listens on `window` (an X window id); false, leaving the key unheard,
// when the display cannot be opened.
bool listenForPauseKey(PauseKey& key, unsigned long window);
// The X window of the current GL context: the game's window, whose GL
// drawable is the window itself.
unsigned long currentGlWindow();

// The presses of Pause since the last call (each held key counts once).
int pauseKeyPresses(PauseKey& key);
void stopListeningForPauseKey(PauseKey& key);
