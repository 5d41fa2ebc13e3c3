#pragma once
// The game's icon for the desktop's menu: the ball resting on the goal
// ring, on a clear background.

#include <cstdint>
#include <string>
#include <vector>

// The sizes desktops look for in the hicolor theme.
inline constexpr int iconSizes[] = {48, 128, 256};

struct Icon {
    int size = 0;
    std::vector<std::uint8_t> rgba; // size * size * 4, row 0 at the top, alpha not premultiplied
};

Icon makeIcon(int size);
bool writeIconPng(const std::string& path, const Icon& icon);
// The sizes a web app manifest names, for the page put on a home screen.
inline constexpr int webIconSizes[] = {192, 512};

// Writes <dir>/icon-<n>.png for every web size; false when one cannot be
// written (said on stderr).
bool writeWebIcons(const std::string& dir);
// Writes <dir>/<n>x<n>/apps/skycourse.png for every size, as the icon
// theme lays them out; false when one cannot be written (said on stderr).
bool writeIcons(const std::string& dir);
