// Preloaded into the game by a test: counts the frames shown and keeps the
// count in the file SKYCOURSE_SWAP_COUNT names, written whole at every
// frame (a new file renamed over the old one), so that the test can read it
// while the game runs. The game itself carries nothing of it.
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

void glutSwapBuffers(void)
{
    static void (*swap)(void);
    static long count;
    if (!swap) swap = (void (*)(void))dlsym(RTLD_NEXT, "glutSwapBuffers");
    if (swap) swap();
    ++count;
    const char* path = getenv("SKYCOURSE_SWAP_COUNT");
    if (!path || strlen(path) > 4000) return;
    char fresh[4096 + 8];
    snprintf(fresh, sizeof fresh, "%s.new", path);
    FILE* file = fopen(fresh, "w");
    if (!file) return;
    fprintf(file, "%ld\n", count);
    if (fclose(file) == 0) rename(fresh, path);
}
