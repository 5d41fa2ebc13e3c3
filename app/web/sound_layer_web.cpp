// The sound layer (assets/sound_layer.h) over Web Audio, for the browser
// build: the game's sounds, channels and volumes are the desktop's own
// (assets/sound.cpp, app/audio.cpp); only the mixing moves to the page
// (web_audio.js). Volumes are kept in SDL_mixer's 128 steps, so a level
// reads back here as it does on the desktop.

#include "assets/sound_layer.h"

#include <cstdio>

// The sound's decoded buffer, kept by the page under this number.
struct Mix_Chunk {
    int buffer;
};

extern "C" {
int skycourseAudioOpen(int channels);
int skycourseAudioLoad(const char* file, int loop);
int skycourseAudioPlay(int buffer, int channel);
int skycourseAudioPlaying(int channel);
void skycourseAudioChannelVolume(int channel, float volume);
void skycourseAudioMasterVolume(float volume);
void skycourseAudioStopAll();
void skycourseAudioClose();
}

namespace {

constexpr int volumeSteps = 128;  // SDL_mixer's MIX_MAX_VOLUME

// Channel volumes and the master, in steps, as the mixer would hold them.
struct Levels {
    std::vector<int> channels;
    int master = volumeSteps;
};

Levels& levels()
{
    static Levels kept;
    return kept;
}

int stepsOf(float volume)
{
    if (!(volume >= 0.0f)) volume = 0.0f;
    if (volume > 1.0f) volume = 1.0f;
    return int(volume * volumeSteps + 0.5f);
}

bool usable(const SoundSystem* system)
{
    return system && system->open;
}

bool validChannel(const SoundSystem* system, const Channel* channel)
{
    return usable(system) && channel && channel->index >= 0 &&
           size_t(channel->index) < system->channels.size() &&
           &system->channels[size_t(channel->index)] == channel;
}

}  // namespace

SoundSystem* createSoundSystem()
{
    return new SoundSystem{false, {}, {}};
}

bool initSoundSystem(SoundSystem* system, int maxChannels)
{
    if (!system || system->open || maxChannels <= 0) return false;
    if (!skycourseAudioOpen(maxChannels)) {
        std::fprintf(stderr, "skycourse: sound is off: this browser has no Web Audio\n");
        return false;
    }
    system->open = true;
    system->channels.clear();
    for (int i = 0; i < maxChannels; ++i) system->channels.push_back(Channel{i});
    levels().channels.assign(size_t(maxChannels), volumeSteps);
    levels().master = volumeSteps;
    return true;
}

Sound* createSound(SoundSystem* system, const char* file, int mode)
{
    if (!usable(system) || !file) return nullptr;
    // Decoded by the page while the game goes on; until then a play of it
    // is dropped, as a missing file's would be.
    const int buffer = skycourseAudioLoad(file, mode == soundLoop ? 1 : 0);
    auto* sound = new Sound{buffer >= 0 ? new Mix_Chunk{buffer} : nullptr, file, mode};
    if (!sound->chunk) std::fprintf(stderr, "skycourse: sound %s stays silent: not among the page's media\n", file);
    system->sounds.push_back(sound);
    return sound;
}

Channel* playSound(SoundSystem* system, Sound* sound, int channelIndex)
{
    if (!usable(system) || !sound || !sound->chunk) return nullptr;
    const int channelCount = int(system->channels.size());
    int index = channelIndex;
    if (channelIndex == anyFreeChannel) {
        index = -1;
        for (int i = 0; i < channelCount && index < 0; ++i) {
            if (!skycourseAudioPlaying(i)) index = i;
        }
    } else if (channelIndex < 0 || channelIndex >= channelCount) {
        return nullptr;
    }
    // All channels busy: the new sound is dropped rather than cutting off
    // one already playing, which may be the music.
    if (index < 0) return nullptr;
    // A new playback starts at full volume whatever the channel had before.
    levels().channels[size_t(index)] = volumeSteps;
    skycourseAudioChannelVolume(index, 1.0f);
    if (!skycourseAudioPlay(sound->chunk->buffer, index)) return nullptr;
    return &system->channels[size_t(index)];
}

void setChannelVolume(SoundSystem* system, Channel* channel, float volume)
{
    if (!validChannel(system, channel)) return;
    const int steps = stepsOf(volume);
    levels().channels[size_t(channel->index)] = steps;
    skycourseAudioChannelVolume(channel->index, float(steps) / volumeSteps);
}

float channelVolume(SoundSystem* system, const Channel* channel)
{
    if (!validChannel(system, channel)) return 0.0f;
    return float(levels().channels[size_t(channel->index)]) / volumeSteps;
}

bool channelPlaying(SoundSystem* system, const Channel* channel)
{
    return validChannel(system, channel) && skycourseAudioPlaying(channel->index) != 0;
}

void setMasterVolume(SoundSystem* system, float volume)
{
    if (!usable(system)) return;
    levels().master = stepsOf(volume);
    skycourseAudioMasterVolume(float(levels().master) / volumeSteps);
}

float masterVolume(SoundSystem* system)
{
    if (!usable(system)) return 0.0f;
    return float(levels().master) / volumeSteps;
}

void stopAllSounds(SoundSystem* system)
{
    if (usable(system)) skycourseAudioStopAll();
}

void releaseSoundSystem(SoundSystem* system)
{
    if (!system) return;
    if (system->open) skycourseAudioClose();
    for (Sound* sound : system->sounds) {
        delete sound->chunk;
        delete sound;
    }
    delete system;
}

