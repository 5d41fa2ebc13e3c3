#pragma once
// The sound layer: one system, sounds loaded from files, playback on free
// channels, per-channel volume. Two backends carry it out, chosen when
// linking: SDL2_mixer on the desktop (sound_layer.cpp) and Web Audio in the
// page (app/web/sound_layer_web.cpp). Every function is safe to call with a
// null system, sound or channel: it then does nothing, which is how the game
// runs silent on a machine without audio.

#include <string>
#include <vector>

struct Mix_Chunk;

// Playback modes: once, or looping for ever.
constexpr int soundPlayOnce = 0;
constexpr int soundLoop = 2;
// Channel index that asks for any free channel.
constexpr int anyFreeChannel = -2;

struct Sound {
    Mix_Chunk* chunk;
    std::string file;
    int mode;
};

// One per mixing channel, owned by the system; a handle stays valid until
// the system is released.
struct Channel {
    int index;
};

struct SoundSystem {
    bool open;
    std::vector<Channel> channels;
    std::vector<Sound*> sounds;  // in load order
};

// Starts SDL's audio subsystem only (the window belongs to GLUT). Null, with
// one line on stderr, when there is no usable audio device.
SoundSystem* createSoundSystem();
// Opens the device (44.1 kHz stereo) with the given number of channels.
// False, with one line on stderr, when the device cannot be opened.
bool initSoundSystem(SoundSystem* system, int maxChannels);
// Decodes a WAV or MP3 file into memory. A file that is missing or cannot be
// decoded gives a silent sound (null chunk) and one line on stderr.
Sound* createSound(SoundSystem* system, const char* file, int mode);
// Plays on the given channel, or on any free one for anyFreeChannel, at full
// volume. Returns the channel, or null if nothing was played.
Channel* playSound(SoundSystem* system, Sound* sound, int channelIndex);
void setChannelVolume(SoundSystem* system, Channel* channel, float volume);
// The volume the mixer is using on the channel, 0..1; 0 for no channel.
float channelVolume(SoundSystem* system, const Channel* channel);
bool channelPlaying(SoundSystem* system, const Channel* channel);
// Scales every channel, on top of its own volume: 0..1.
void setMasterVolume(SoundSystem* system, float volume);
float masterVolume(SoundSystem* system);
// Stops every channel.
void stopAllSounds(SoundSystem* system);
// Stops everything, frees every sound and the system, closes the device.
void releaseSoundSystem(SoundSystem* system);

// A test hears of every playback that really started, and of every level
// set on a channel, by linking definitions of these; the game links
// neither and keeps nothing of what it played.
void heardPlayback(const std::string& file, int channel) __attribute__((weak));
void heardChannelVolume(int channel, float volume) __attribute__((weak));
