#include "world/level.h"

#include "assets/texture_names.h"
#include "world/world.h"

void buildLevel()
{
    // TODO(stub): the course
}
