#include "tests/support/play_log.h"

#include "assets/sound_layer.h"

namespace {

std::vector<PlayLogEntry>& log()
{
    static std::vector<PlayLogEntry> entries;
    return entries;
}

}  // namespace

void heardPlayback(const std::string& file, int channel)
{
    log().push_back({file, channel, 1.0f});
}

// The level the latest playback on this channel now has.
void heardChannelVolume(int channel, float volume)
{
    for (auto entry = log().rbegin(); entry != log().rend(); ++entry) {
        if (entry->channel == channel) {
            entry->volume = volume;
            return;
        }
    }
}

const std::vector<PlayLogEntry>& soundPlayLog()
{
    return log();
}

void clearSoundPlayLog()
{
    log().clear();
}
