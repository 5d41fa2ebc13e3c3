#pragma once
// The command line. Without options the game plays as it always has: game
// mode, keys from the player, nothing written.

#include <optional>
#include <string>

#include "app/input/game_screen.h"

struct Options {
    bool help = false;
    bool windowed = false;  // --window: an ordinary window instead of game mode
    int windowWidth = gameScreenWidth;
    int windowHeight = gameScreenHeight;
    std::string recordPath;  // --record: empty when not recording
    std::string watchPath;   // --watch: empty when playing
    std::string ghostPath;   // --ghost: a script raced instead of the best run
    int speed = 1;           // --speed: ticks per 25 ms while watching
    int volume = 100;        // --volume: percent
    bool mute = false;       // --mute: silent until "m"
    bool printKeys = false;  // --print-keys
    bool shaderRenderer = false;  // --renderer shaders (classic otherwise)
    bool rendererGiven = false;   // --renderer was given: it wins over settings.conf
    std::string course;           // --course: a course's name or a .course file; empty: the built-in one
    bool listCourses = false;     // --list-courses
    std::optional<bool> fastGraphics;  // --graphics fast|full, when given
};

// Empty when the command line is good; otherwise the one line that says
// what is wrong with it (the caller exits with 2).
std::string parseOptions(int argc, const char* const* argv, Options& options);

// What --help prints: the usage, every option and the keys.
extern const char* const helpText;
