// The replay tool built without a GL context to draw into (the node build):
// a `shot` line is refused like a malformed one, so the script's author
// learns the picture was not made.

#include "tools/replay/shot.h"

struct Shots {};

std::string takeShot(std::shared_ptr<Shots>&, const Game&, const char*, bool)
{
    return "shot: this build of the replay tool draws no pictures";
}
