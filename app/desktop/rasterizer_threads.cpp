#include "app/desktop/rasterizer_threads.h"

#include <cstdlib>

const char* rasterizerThreadsFor(const char* playersSetting, bool fastGraphics)
{
    if (playersSetting != nullptr && playersSetting[0] != '\0') return nullptr;
    // Measured on two cores at 40 frames a second (docs/performance.md):
    // a fast frame is drawn in time by one thread, and a second one only
    // adds the threads' hand-over to its CPU; a full frame needs both to
    // keep up.
    return fastGraphics ? "1" : nullptr;
}

void chooseRasterizerThreads(bool fastGraphics)
{
    if (const char* threads = rasterizerThreadsFor(std::getenv("LP_NUM_THREADS"), fastGraphics)) {
        setenv("LP_NUM_THREADS", threads, 1);
    }
}
