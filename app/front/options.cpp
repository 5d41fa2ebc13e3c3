#include "app/front/options.h"

#include <string>

#include "app/script/watching.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

const char* const helpText =
    "usage: skycourse [--window [WxH]] [--record FILE | --watch FILE [--speed N]]\n"
    "                 [--ghost FILE] [--volume N] [--mute] [--print-keys]\n"
    "                 [--renderer classic|shaders] [--graphics full|fast]\n"
    "                 [--course NAME|FILE] [--list-courses]\n"
    "\n"
    "Roll the ball up the course in the sky to the goal ring. Without options the\n"
    "game switches the display to 1280x1024 (game mode), or fills the screen where\n"
    "the display cannot switch; Esc, a closed window, Ctrl+C, SIGTERM and SIGHUP\n"
    "all give the desktop its own mode back.\n"
    "\n"
    "options:\n"
    "  --help          this text\n"
    "  --window [WxH]  play in an ordinary window, 1280x1024 unless a size is\n"
    "                  given (from 320x240 up to 16384x16384), e.g. --window 960x768\n"
    "  --record FILE   write the run as it is played to FILE, a script for\n"
    "                  skycourse-replay (kept in FILE.part until the game ends);\n"
    "                  mouse moves in a window of another size than 1280x1024\n"
    "                  follow a `window W H` line giving that size\n"
    "  --watch FILE    play a skycourse-replay script in the game window at real\n"
    "                  speed with sound; keys are ignored except Esc, which quits,\n"
    "                  and t and g, which show or hide the timer and the ghost;\n"
    "                  the last picture stays until then\n"
    "  --speed N       with --watch: N ticks every 25 ms, 1 to 20 (default 1)\n"
    "  --ghost FILE    race the ball of a skycourse-replay script (a recording)\n"
    "                  instead of the best run; with --watch, beside the script\n"
    "  --volume N      sound volume in percent, 0 to 100 (default 100)\n"
    "  --mute          start without sound (\"m\" brings it back)\n"
    "  --print-keys    print the keys in force (with keys.conf) and exit\n"
    "  --course C      play course C: a name --list-courses gives, or a .course\n"
    "                  file (the built-in course, The Ascent, without it)\n"
    "  --list-courses  list the courses, ours and the player's own, with each\n"
    "                  one's par and best time, and exit\n"
    "  --renderer R    how to draw: classic (the default) needs OpenGL's fixed-\n"
    "                  function pipeline, with ARB shader objects for per-pixel\n"
    "                  lighting (per-vertex lighting without them); shaders needs\n"
    "                  an OpenGL 2.1 or OpenGL ES 2.0 driver\n"
    "  --graphics G    full (the default) draws every pixel; fast draws the\n"
    "                  scene at a lower resolution and scales it up, for a\n"
    "                  machine that cannot keep up\n"
    "  A relative FILE is kept in $XDG_DATA_HOME/skycourse (by default\n"
    "  ~/.local/share/skycourse); --watch and --ghost look in the current folder\n"
    "  first.\n"
    "\n"
    "keys:\n"
    "  arrow keys            roll forward, right, back, left (relative to the view)\n"
    "  Enter (\"z\" after F1)  jump, while the ball sits on a block\n"
    "  F1                    switch the jump key between Enter and \"z\"\n"
    "  Shift+Left/Right/Down turn the view a quarter turn left/right, half turn\n"
    "                        (only while no arrow is held)\n"
    "  p                     mouse look on/off (off at the start); in a window it\n"
    "                        hides the pointer and holds it at the centre\n"
    "  mouse                 with mouse look on: turn and tilt the view\n"
    "  l                     level the view (reset turn and tilt)\n"
    "  c                     chase camera / the ball's own view\n"
    "  Space or Pause        pause / go on: the menu (Resume, Restart, Courses,\n"
    "                        Best times, Settings, Quit; arrows, Enter, Backspace\n"
    "                        back, or the mouse); the music plays on softly\n"
    "  Backspace             start again from the pad\n"
    "  t                     timer on/off: game time and checkpoints taken; the\n"
    "                        end picture then shows the run's time\n"
    "  m                     mute / unmute\n"
    "  g                     show / hide the ghost: the best run's ball, tick for\n"
    "                        tick beside yours (shown when there is a best run)\n"
    "  gamepad               left stick or D-pad roll, A jumps, shoulders turn a\n"
    "                        quarter, Start pauses, Back mouse look, right stick\n"
    "                        looks (with mouse look on)\n"
    "  Esc                   quit\n"
    "  $XDG_CONFIG_HOME/skycourse/keys.conf (by default ~/.config/skycourse) may\n"
    "  give an action another key, one `action = key` a line, e.g. `forward = w`.\n"
    "\n"
    "files:\n"
    "  $XDG_DATA_HOME/skycourse/times.json  the best five times, with dates\n"
    "  $XDG_DATA_HOME/skycourse/best.replay  the best run: the ghost, the splits\n"
    "  $XDG_DATA_HOME/skycourse/fastest-stretches.txt  the fastest time between\n"
    "                        each checkpoint and the next, over all runs\n"
    "  (all three of the built-in course; another course's in runs/NAME/)\n"
    "  $XDG_DATA_HOME/skycourse/courses/*.course  the player's own courses\n"
    "  $XDG_CONFIG_HOME/skycourse/settings.conf  the settings chosen in the menu\n"
    "\n"
    "environment:\n"
    "  SKYCOURSE_ROWS=FILE   write the ball's state after every tick to FILE, as\n"
    "                        the CSV rows skycourse-replay prints\n"
    "\n"
    "exit status: 0 after Esc or a closed window, 1 without an X display, 2 for a\n"
    "bad command line or a FILE that cannot be read or written; Ctrl+C, SIGTERM\n"
    "and SIGHUP end it by that signal once the desktop has its mode back.\n";

namespace {

const int largestWindow = 16384;

// A whole decimal number within [low, high], nothing else in the text.
bool parseWhole(const char* text, long low, long high, int& out)
{
    if (*text < '0' || *text > '9' || std::strlen(text) > 9) return false;
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (*end != '\0' || value < low || value > high) return false;
    out = int(value);
    return true;
}

bool parseSize(const std::string& text, int& width, int& height)
{
    const size_t x = text.find('x');
    if (x == std::string::npos) return false;
    return parseWhole(text.substr(0, x).c_str(), 320, largestWindow, width) &&
           parseWhole(text.substr(x + 1).c_str(), 240, largestWindow, height);
}

}  // namespace

namespace {

// What an option takes after its name.
enum class Takes { Nothing, Value, OptionalValue };

// An option sets its part of Options from its value (none when none was
// given), or says what is wrong with the value.
using Value = std::optional<std::string>;
struct OptionRule {
    const char* name;
    Takes takes;
    std::string (*apply)(const Value& value, Options& options);
};

const OptionRule optionRules[] = {
    {"--window", Takes::OptionalValue,
     [](const Value& value, Options& o) -> std::string {
         o.windowed = true;
         if (!value || parseSize(*value, o.windowWidth, o.windowHeight)) return "";
         return "--window size '" + *value + "' must be WIDTHxHEIGHT, from 320x240 to 16384x16384";
     }},
    {"--record", Takes::Value,
     [](const Value& value, Options& o) -> std::string {
         o.recordPath = *value;
         return "";
     }},
    {"--watch", Takes::Value,
     [](const Value& value, Options& o) -> std::string {
         o.watchPath = *value;
         return "";
     }},
    {"--speed", Takes::Value,
     [](const Value& value, Options& o) -> std::string {
         if (parseWhole(value->c_str(), slowestWatchSpeed, fastestWatchSpeed, o.speed)) return "";
         return "--speed '" + *value + "' must be a whole number from " + std::to_string(slowestWatchSpeed) + " to " +
                std::to_string(fastestWatchSpeed);
     }},
    {"--help", Takes::Nothing,
     [](const Value&, Options& o) -> std::string {
         o.help = true;
         return "";
     }},
    {"--volume", Takes::Value,
     [](const Value& value, Options& o) -> std::string {
         if (parseWhole(value->c_str(), 0, 100, o.volume)) return "";
         return "--volume '" + *value + "' must be a whole number from 0 to 100";
     }},
    {"--mute", Takes::Nothing,
     [](const Value&, Options& o) -> std::string {
         o.mute = true;
         return "";
     }},
    {"--print-keys", Takes::Nothing,
     [](const Value&, Options& o) -> std::string {
         o.printKeys = true;
         return "";
     }},
    {"--ghost", Takes::Value,
     [](const Value& value, Options& o) -> std::string {
         o.ghostPath = *value;
         return "";
     }},
    {"--course", Takes::Value,
     [](const Value& value, Options& o) -> std::string {
         o.course = *value;
         return "";
     }},
    {"--list-courses", Takes::Nothing,
     [](const Value&, Options& o) -> std::string {
         o.listCourses = true;
         return "";
     }},
    {"--renderer", Takes::Value,
     [](const Value& value, Options& o) -> std::string {
         if (*value != "classic" && *value != "shaders") return "--renderer '" + *value + "' must be classic or shaders";
         o.shaderRenderer = *value == "shaders";
         o.rendererGiven = true;
         return "";
     }},
    {"--graphics", Takes::Value,
     [](const Value& value, Options& o) -> std::string {
         if (*value != "full" && *value != "fast") return "--graphics '" + *value + "' must be full or fast";
         o.fastGraphics = *value == "fast";
         return "";
     }},
};

}  // namespace

std::string parseOptions(int argc, const char* const* argv, Options& options)
{
    std::vector<std::string> seen;
    for (int i = 1; i < argc; ++i) {
        std::string word = argv[i];
        // --name=value is the same as --name value.
        Value value;
        const size_t equals = word.find('=');
        if (word.rfind("--", 0) == 0 && equals != std::string::npos) {
            value = word.substr(equals + 1);
            word = word.substr(0, equals);
        }
        const OptionRule* rule = nullptr;
        for (const OptionRule& candidate : optionRules) {
            if (word == candidate.name) rule = &candidate;
        }
        if (!rule) return "unknown option '" + std::string(argv[i]) + "' (see skycourse --help)";
        if (std::find(seen.begin(), seen.end(), word) != seen.end()) return word + " is given twice";
        seen.push_back(word);

        // A value may follow as the next word; an optional one only when
        // that word is not the next option.
        const bool nextIsValue = i + 1 < argc && (rule->takes == Takes::Value ||
                                                  (rule->takes == Takes::OptionalValue &&
                                                   std::strncmp(argv[i + 1], "--", 2) != 0));
        if (!value && nextIsValue) value = argv[++i];
        if (rule->takes == Takes::Value && value.value_or("").empty()) {
            return word + " needs a value (see skycourse --help)";
        }
        if (rule->takes == Takes::Nothing && value) return word + " takes no value";
        if (std::string problem = rule->apply(value, options); !problem.empty()) return problem;
    }
    auto given = [&](const char* name) { return std::find(seen.begin(), seen.end(), name) != seen.end(); };
    if (given("--record") && given("--watch")) return "--record and --watch cannot be used together";
    if (given("--speed") && !given("--watch")) return "--speed only applies to --watch";
    return "";
}
