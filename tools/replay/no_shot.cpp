#include "tools/replay/shot.h"

struct Shots {};

std::string takeShot(std::shared_ptr<Shots>&, const Game&, const Ball*, const char*, bool)
{
    return "shot: this skycourse-replay was built without pictures (SKYCOURSE_REPLAY_SHOTS=OFF)";
}
