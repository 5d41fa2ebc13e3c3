#include "app/desktop/rasterizer_threads.h"

#include <cstdlib>

const char* rasterizerThreadsFor(const char* playersSetting, bool fastGraphics)
{
    if (playersSetting != nullptr && playersSetting[0] != '\0') return nullptr;
    // Measured on two cores at 40 frames a second (docs/performance.md):
    // one thread draws a fast frame with room to spare, for less CPU than
    // two. A full frame keeps the driver's one a core: one thread would be
    // busy four fifths of every frame at the start pad, too little room
    // for the heavier views.
    return fastGraphics ? "1" : nullptr;
}

void chooseRasterizerThreads(bool fastGraphics)
{
    if (const char* threads = rasterizerThreadsFor(std::getenv("LP_NUM_THREADS"), fastGraphics)) {
        setenv("LP_NUM_THREADS", threads, 1);
    }
}
