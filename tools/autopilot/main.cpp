// skycourse-autopilot: plays the course through the game's own simulation
// and input callbacks, searching hop timings where the course moves, and
// writes the key presses as a script for skycourse-replay.
//   skycourse-autopilot [output.replay]   (stdout without one)

#include <cstdio>
#include <fstream>
#include <string>

#include "tools/autopilot/drive.h"
#include "tools/autopilot/route.h"

int main(int argc, char** argv)
{
    if (argc > 2) {
        std::fprintf(stderr, "usage: skycourse-autopilot [output.replay]\n");
        return 2;
    }
    startGame();
    int passed = driveCourse();
    const std::string script = courseScript(passed);
    if (argc == 2) {
        std::ofstream out(argv[1]);
        out << script;
        if (!out) {
            std::fprintf(stderr, "skycourse-autopilot: cannot write %s\n", argv[1]);
            return 2;
        }
    } else {
        std::fputs(script.c_str(), stdout);
    }
    return passed == courseSections() ? 0 : 1;
}
