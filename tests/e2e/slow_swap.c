// Preloaded into the game by a test: every frame shown takes
// SKYCOURSE_SLOW_SWAP_MS longer, as on a slow machine. The game itself
// carries nothing of it.
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdlib.h>
#include <unistd.h>

void glutSwapBuffers(void)
{
    static void (*swap)(void);
    if (!swap) swap = (void (*)(void))dlsym(RTLD_NEXT, "glutSwapBuffers");
    const char* ms = getenv("SKYCOURSE_SLOW_SWAP_MS");
    const long wait = ms ? atol(ms) : 0;
    if (wait > 0) {
        usleep((useconds_t)wait * 1000);
    }
    if (swap) swap();
}
