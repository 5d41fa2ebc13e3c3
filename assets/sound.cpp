#include "assets/sound.h"

#include <string>

#include "assets/media_manifest.h"
#include "assets/sound_layer.h"

namespace {

constexpr int mixingChannels = 10;
constexpr float backgroundVolume = 0.35f;
constexpr float pausedMusicVolume = 0.1f;

// Where each file of the manifest goes, in the manifest's order.
Sound* GameSounds::* const soundSlots[] = {
    &GameSounds::jumpSound,  &GameSounds::hitMetalSound, &GameSounds::hitWoodSound,
    &GameSounds::saveSound,  &GameSounds::shrinkSound,   &GameSounds::growSound,
    &GameSounds::fallSound,  &GameSounds::backgroundMusic, &GameSounds::victoryMusic,
};
static_assert(std::size(soundSlots) == soundCount);

// The two tracks loop for ever; the effects play once.
int modeOf(Sound* GameSounds::* slot)
{
    return slot == &GameSounds::backgroundMusic || slot == &GameSounds::victoryMusic ? soundLoop
                                                                                      : soundPlayOnce;
}

}  // namespace

void initSound(GameSounds& sounds)
{
    if (sounds.soundSystem) releaseSound(sounds);
    SoundSystem* system = createSoundSystem();
    if (system && !initSoundSystem(system, mixingChannels)) {
        releaseSoundSystem(system);
        system = nullptr;
    }
    if (!system) return;
    sounds.soundSystem = system;
    for (std::size_t i = 0; i < soundCount; ++i) {
        const std::string path = std::string("sounds/") + soundFiles[i];
        sounds.*soundSlots[i] = createSound(system, path.c_str(), modeOf(soundSlots[i]));
    }
}

void playEffect(GameSounds& sounds, Sound* sound, Channel** slot)
{
    Channel* channel = playSound(sounds.soundSystem, sound, anyFreeChannel);
    // A play starts at full volume; only a lowered effects volume changes it.
    if (sounds.effectsVolume < 1.0f) setChannelVolume(sounds.soundSystem, channel, sounds.effectsVolume);
    if (slot) *slot = channel;
}

void startBackgroundMusic(GameSounds& sounds)
{
    sounds.musicChannel = playSound(sounds.soundSystem, sounds.backgroundMusic, anyFreeChannel);
    sounds.musicLevel = backgroundVolume;
    setChannelVolume(sounds.soundSystem, sounds.musicChannel, backgroundVolume * sounds.musicVolume);
}

void startVictoryMusic(GameSounds& sounds)
{
    sounds.musicChannel = playSound(sounds.soundSystem, sounds.victoryMusic, anyFreeChannel);
    sounds.musicLevel = 1.0f;
    if (sounds.musicVolume < 1.0f) setChannelVolume(sounds.soundSystem, sounds.musicChannel, sounds.musicVolume);
}

void setSoundVolume(GameSounds& sounds, float volume)
{
    sounds.volume = volume;
    setMasterVolume(sounds.soundSystem, sounds.muted ? 0.0f : volume);
}

void switchMute(GameSounds& sounds)
{
    sounds.muted = !sounds.muted;
    setSoundVolume(sounds, sounds.volume);
}

void softenMusic(GameSounds& sounds, bool soft)
{
    sounds.musicLevel = soft ? pausedMusicVolume : backgroundVolume;
    setChannelVolume(sounds.soundSystem, sounds.musicChannel, sounds.musicLevel * sounds.musicVolume);
}

void setMusicVolume(GameSounds& sounds, float volume)
{
    sounds.musicVolume = volume;
    setChannelVolume(sounds.soundSystem, sounds.musicChannel, sounds.musicLevel * volume);
}

void setEffectsVolume(GameSounds& sounds, float volume)
{
    // Effects are short: the next one plays at the new level.
    sounds.effectsVolume = volume;
}

void setEffectLevel(GameSounds& sounds, Channel* channel, float level)
{
    setChannelVolume(sounds.soundSystem, channel, level * sounds.effectsVolume);
}

void restartMusic(GameSounds& sounds)
{
    stopAllSounds(sounds.soundSystem);
    startBackgroundMusic(sounds);
}

void releaseSound(GameSounds& sounds)
{
    // After a release the old handles point into freed memory.
    releaseSoundSystem(sounds.soundSystem);
    sounds = GameSounds{};
}
