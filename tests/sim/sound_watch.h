#pragma once
// Lets the simulation tests hear what the game plays: a real sound system on
// SDL's silent "dummy" driver, the nine sound globals loaded from tiny WAV
// files named after them, and the layer's play log to count plays by name.

#include <SDL_mixer.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "assets/sound.h"
#include "assets/sound_layer.h"
#include "tests/support/media_files.h"

namespace soundwatch {

// Starts the system once per test program; false when SDL has no dummy
// driver either (then sound checks cannot be made).
inline bool start()
{
    static int state = 0;
    if (state != 0) {
        return state > 0;
    }
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    static char dir[] = "/tmp/skycourse-sound-XXXXXX";
    if (!mkdtemp(dir)) {
        state = -1;
        return false;
    }
    // The sounds are decoded into memory at load, so the files can go.
    struct RemoveAtExit {
        ~RemoveAtExit() { std::filesystem::remove_all(dir); }
    };
    static RemoveAtExit cleanup;
    soundSystem = createSoundSystem();
    if (!soundSystem || !initSoundSystem(soundSystem, 10)) {
        state = -1;
        return false;
    }
    struct Named {
        const char* name;
        Sound** sound;
    };
    const Named sounds[] = {{"jump", &jumpSound},       {"hitMetal", &hitMetalSound},
                            {"hitWood", &hitWoodSound}, {"save", &saveSound},
                            {"shrink", &shrinkSound},   {"grow", &growSound},
                            {"fall", &fallSound},       {"victory", &victoryMusic}};
    for (const Named& s : sounds) {
        std::string path = std::string(dir) + "/" + s.name + ".wav";
        writeFile(path, makeWav(0.01, 440.0));
        *s.sound = createSound(soundSystem, path.c_str(), 0);
    }
    state = 1;
    return true;
}

// Frees every channel and forgets earlier plays.
inline void reset()
{
    Mix_HaltChannel(-1);
    clearSoundPlayLog();
}

inline int plays(const char* name)
{
    std::string suffix = std::string("/") + name + ".wav";
    int count = 0;
    for (const PlayLogEntry& entry : soundPlayLog()) {
        if (entry.file.size() >= suffix.size() &&
            entry.file.compare(entry.file.size() - suffix.size(), suffix.size(), suffix) == 0) {
            ++count;
        }
    }
    return count;
}

inline int allPlays()
{
    return static_cast<int>(soundPlayLog().size());
}

} // namespace soundwatch
