#include "assets/sound_layer.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {


// Audio back ends (ALSA above all) print their own chatter while probing for
// a device; the player should see only our one line saying why sound is off.
struct QuietStderr {
    int saved = -1;
    QuietStderr()
    {
        std::fflush(stderr);
        int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (null < 0) return;
        saved = fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
        if (saved >= 0) dup2(null, STDERR_FILENO);
        close(null);
    }
    ~QuietStderr()
    {
        if (saved < 0) return;
        std::fflush(stderr);
        dup2(saved, STDERR_FILENO);
        close(saved);
    }
    QuietStderr(const QuietStderr&) = delete;
    QuietStderr& operator=(const QuietStderr&) = delete;
};

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
    // Audio brings up SDL's event queue, whose handlers would turn Ctrl+C
    // and SIGTERM into quit events that nobody reads: the game could then
    // not be stopped from its terminal or by the system.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    int failed = 0;
    {
        QuietStderr quiet;
        failed = SDL_InitSubSystem(SDL_INIT_AUDIO);
    }
    if (failed != 0) {
        std::fprintf(stderr, "skycourse: sound is off: %s\n", SDL_GetError());
        return nullptr;
    }
    return new SoundSystem{false, {}, {}};
}

bool initSoundSystem(SoundSystem* system, int maxChannels)
{
    if (!system || system->open || maxChannels <= 0) return false;
    int failed = 0;
    {
        QuietStderr quiet;
        failed = Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 2048);
    }
    if (failed != 0) {
        std::fprintf(stderr, "skycourse: sound is off: %s\n", Mix_GetError());
        return false;
    }
    int allocated = Mix_AllocateChannels(maxChannels);
    system->open = true;
    system->channels.clear();
    for (int i = 0; i < allocated; ++i) system->channels.push_back(Channel{i});
    return true;
}

Sound* createSound(SoundSystem* system, const char* file, int mode)
{
    if (!usable(system) || !file) return nullptr;
    // Opened here rather than by name in the mixer, whose message for a
    // missing file names neither the file nor the reason.
    std::FILE* opened = std::fopen(file, "rb");
    auto* sound = new Sound{nullptr, file, mode};
    if (!opened)
        std::fprintf(stderr, "skycourse: sound %s stays silent: %s\n", file, std::strerror(errno));
    else
        sound->chunk = Mix_LoadWAV_RW(SDL_RWFromFP(opened, SDL_TRUE), 1);
    if (opened && !sound->chunk)
        std::fprintf(stderr, "skycourse: sound %s stays silent: %s\n", file, Mix_GetError());
    system->sounds.push_back(sound);
    return sound;
}

Channel* playSound(SoundSystem* system, Sound* sound, int channelIndex)
{
    if (!usable(system) || !sound || !sound->chunk) return nullptr;
    int channelCount = int(system->channels.size());
    int index = channelIndex;
    if (channelIndex == anyFreeChannel) {
        index = Mix_GroupAvailable(-1);
    } else if (channelIndex < 0 || channelIndex >= channelCount) {
        return nullptr;
    }
    // All channels busy: the new sound is dropped rather than cutting off
    // one already playing, which may be the music.
    if (index < 0) return nullptr;

    // A new playback starts at full volume whatever the channel had before.
    Mix_Volume(index, MIX_MAX_VOLUME);
    int loops = sound->mode == soundLoop ? -1 : 0;
    int played = Mix_PlayChannel(index, sound->chunk, loops);
    if (played < 0) return nullptr;
    if (heardPlayback) heardPlayback(sound->file, played);
    return &system->channels[size_t(played)];
}

void setChannelVolume(SoundSystem* system, Channel* channel, float volume)
{
    if (!validChannel(system, channel)) return;
    if (!(volume >= 0.0f)) volume = 0.0f;
    if (volume > 1.0f) volume = 1.0f;
    Mix_Volume(channel->index, int(volume * MIX_MAX_VOLUME + 0.5f));
    if (heardChannelVolume) heardChannelVolume(channel->index, channelVolume(system, channel));
}

float channelVolume(SoundSystem* system, const Channel* channel)
{
    if (!validChannel(system, channel)) return 0.0f;
    return float(Mix_Volume(channel->index, -1)) / MIX_MAX_VOLUME;
}

bool channelPlaying(SoundSystem* system, const Channel* channel)
{
    return validChannel(system, channel) && Mix_Playing(channel->index) != 0;
}

void releaseSoundSystem(SoundSystem* system)
{
    if (!system) return;
    if (system->open) {
        Mix_HaltChannel(-1);
        for (Sound* sound : system->sounds) {
            if (sound->chunk) Mix_FreeChunk(sound->chunk);
        }
        Mix_CloseAudio();
    }
    for (Sound* sound : system->sounds) delete sound;
    delete system;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}


void setMasterVolume(SoundSystem* system, float volume)
{
    if (!system || !system->open) return;
    if (!(volume >= 0.0f)) volume = 0.0f;
    if (volume > 1.0f) volume = 1.0f;
    Mix_MasterVolume(int(volume * MIX_MAX_VOLUME + 0.5f));
}

float masterVolume(SoundSystem* system)
{
    if (!system || !system->open) return 0.0f;
    return float(Mix_MasterVolume(-1)) / MIX_MAX_VOLUME;
}

void stopAllSounds(SoundSystem* system)
{
    if (system && system->open) Mix_HaltChannel(-1);
}
