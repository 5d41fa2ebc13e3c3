#pragma once
// Ctrl+C, SIGTERM and SIGHUP end the game the way Esc does, giving the
// desktop its mode back. The handler only notes the signal; the main loop
// acts on it, since almost nothing is safe inside a handler.

// Installs the handlers. A second signal of the same kind takes its default
// action at once, for a game that no longer answers.
void catchQuitSignals();

// The signal that asked the game to end; 0 while none has.
int quitSignal();

// Ends the process by that signal's default action, so the parent sees
// which signal it was.
[[noreturn]] void endBySignal(int signal);
