#pragma once

#include <string>
#include <vector>

// Writes RGBA pixels, rows bottom to top as GL reads them, to a PNG file
// upright. Returns what went wrong (naming the file and the reason), or an
// empty string.
std::string writePng(const char* path, const std::vector<unsigned char>& rgba, int width, int height);
