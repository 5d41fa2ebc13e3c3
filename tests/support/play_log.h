#pragma once
// What the sound layer played, as a test hears it: every playback that
// really started, with the level its channel has now.

#include <string>
#include <vector>

struct PlayLogEntry {
    std::string file;
    int channel;
    float volume;  // the channel's volume now, 0..1
};

const std::vector<PlayLogEntry>& soundPlayLog();
void clearSoundPlayLog();
