#pragma once
// The screen the game is made for: game mode's size, the window's size
// unless the player gives another, and the size a script's mouse lines are
// given in unless it says otherwise.

constexpr int gameScreenWidth = 1280;
constexpr int gameScreenHeight = 1024;
