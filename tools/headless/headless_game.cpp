#include "tools/headless/headless_game.h"

#include <cstdlib>

#include "app/input.h"
#include "app/tick.h"
#include "assets/texture_names.h"
#include "tools/headless/egl_context.h"
#include "world/level.h"

namespace {

void noWarp(int, int) {}

void nameTextures()
{
    unsigned int next = 1;
    ballTexture = next++;
    metalTexture = next++;
    glassTexture = next++;
    endTexture = next++;
    woodTextures.clear();
    for (int i = 0; i < 6; ++i) {
        woodTextures.push_back(next++);
    }
    for (unsigned int& sky : skyTextures) {
        sky = next++;
    }
}

} // namespace

bool startHeadlessGame(int (*modifiers)())
{
    std::srand(1);
    readModifiers = modifiers;
    warpPointer = noWarp;
    windowWidth = 1280;
    windowHeight = 1024;
    if (!makeHeadlessContext()) {
        return false;
    }
    nameTextures();
    buildLevel();
    return true;
}
