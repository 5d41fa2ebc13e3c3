#pragma once
// The game's one window: the 1280 x 1024 game mode where the display can
// switch to it, otherwise a full-screen window at the display's own size.

// True when an X display can be opened (DISPLAY set and reachable).
bool displayReachable();

// Needs glutInit and the display mode set. Sets gameModeActive.
void openGameWindow();
