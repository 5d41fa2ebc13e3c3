#include "tools/bench/route_states.h"

#include <GL/freeglut.h>

#include <fstream>
#include <sstream>

#include "app/input.h"
#include "tools/headless/headless_game.h"

namespace {

int arrowNamed(const std::string& name)
{
    if (name == "UP") return GLUT_KEY_UP;
    if (name == "DOWN") return GLUT_KEY_DOWN;
    if (name == "LEFT") return GLUT_KEY_LEFT;
    if (name == "RIGHT") return GLUT_KEY_RIGHT;
    return GLUT_KEY_F1;
}

}  // namespace

// The route holds only arrows, the jump key and ticks, as the autopilot
// writes it; those are read here, through the game's own input translation.
bool playRouteTo(const std::string& routeFile, long long tick, RouteState& state)
{
    std::ifstream in(routeFile);
    if (!in) return false;
    Game game = startHeadlessGame();
    Input input;
    long long played = 0;
    for (std::string line; played < tick && std::getline(in, line);) {
        std::istringstream words(line);
        std::string verb, direction, what;
        words >> verb >> direction >> what;
        if (verb == "special" && direction == "down") pressSpecial(input, game.camera, arrowNamed(what), 0);
        if (verb == "special" && direction == "up") releaseSpecial(input, game.camera, arrowNamed(what));
        if (verb == "key" && direction == "down" && what != "27") pressKey(input, game.camera, 13);
        if (verb == "key" && direction == "up") releaseKey(input, 13);
        if (verb == "tick") {
            long long n = direction.empty() ? 1 : std::stoll(direction);
            for (; n > 0 && played < tick; --n, ++played) advanceTick(game, input.controls);
        }
    }
    state = RouteState{game, input.controls};
    return played == tick;
}
