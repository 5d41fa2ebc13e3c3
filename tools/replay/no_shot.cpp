// The replay tool built without pictures (SKYCOURSE_REPLAY_SHOTS=OFF, or the
// node build, which has no GL context to draw into): a `shot` line is
// refused like a malformed one, so the script's author learns the picture
// was not made.

#include "tools/replay/shot.h"

struct Shots {};

std::string takeShot(std::shared_ptr<Shots>&, const Game&, const Ball*, const char*, ShotLook)
{
    return "shot: this build of skycourse-replay draws no pictures";
}
