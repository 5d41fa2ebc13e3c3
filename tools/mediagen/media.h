#pragma once
// Writing the game's media folders.

#include <string>

// Writes <dir>/images/*.bmp and <dir>/sounds/*; false when a file cannot
// be written (the message goes to stderr).
bool writeMedia(const std::string& dir);
// Writes every picture as <dir>/<name>.png for looking at.
bool writePicturePngs(const std::string& dir);
// The command line of skycourse-mediagen; returns the exit code.
int runMediagen(int argc, char** argv);
