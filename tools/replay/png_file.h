#pragma once

#include <vector>

// Writes RGBA pixels, rows bottom to top as GL reads them, to a PNG file
// upright. Returns false, with one line on stderr, if it cannot.
bool writePng(const char* path, const std::vector<unsigned char>& rgba, int width, int height);
