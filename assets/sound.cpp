#include "assets/sound.h"

#include <algorithm>

#include "assets/sound_layer.h"
#include "assets/texture_names.h"

SoundSystem* soundSystem = nullptr;
Sound* jumpSound = nullptr;
Sound* hitMetalSound = nullptr;
Sound* hitWoodSound = nullptr;
Sound* saveSound = nullptr;
Sound* shrinkSound = nullptr;
Sound* growSound = nullptr;
Sound* fallSound = nullptr;
Sound* backgroundMusic = nullptr;
Sound* victoryMusic = nullptr;
Channel* musicChannel = nullptr;
Channel* effectsChannel = nullptr;
Channel* jumpChannel = nullptr;

namespace {

constexpr int mixingChannels = 10;
constexpr float backgroundVolume = 0.35f;

struct SoundFile {
    const char* file;
    int mode;
    Sound** sound;
};

const SoundFile soundTable[] = {
    {"sounds/jump.wav", soundPlayOnce, &jumpSound},
    {"sounds/hitMetal.wav", soundPlayOnce, &hitMetalSound},
    {"sounds/hitWood.wav", soundPlayOnce, &hitWoodSound},
    {"sounds/save.wav", soundPlayOnce, &saveSound},
    {"sounds/shrink.wav", soundPlayOnce, &shrinkSound},
    {"sounds/grow.wav", soundPlayOnce, &growSound},
    {"sounds/fall.wav", soundPlayOnce, &fallSound},
    {"sounds/MI2.wav", soundLoop, &backgroundMusic},
    {"sounds/musicVictory.mp3", soundLoop, &victoryMusic},
};

// After a release the old handles point into freed memory; forget them all.
void forgetHandles()
{
    for (const SoundFile& entry : soundTable) *entry.sound = nullptr;
    musicChannel = nullptr;
    effectsChannel = nullptr;
    jumpChannel = nullptr;
}

}  // namespace

void initSound()
{
    if (soundSystem) releaseSound();
    soundSystem = createSoundSystem();
    if (soundSystem && !initSoundSystem(soundSystem, mixingChannels)) {
        releaseSoundSystem(soundSystem);
        soundSystem = nullptr;
    }
    if (!soundSystem) return;
    for (const SoundFile& entry : soundTable)
        *entry.sound = createSound(soundSystem, entry.file, entry.mode);
}

void playEffect(Sound* sound, Channel** slot)
{
    Channel* channel = playSound(soundSystem, sound, anyFreeChannel);
    if (slot) *slot = channel;
}

void playImpactSound(unsigned int texture)
{
    if (texture == metalTexture) {
        playEffect(hitMetalSound, &effectsChannel);
    } else if (std::find(woodTextures.begin(), woodTextures.end(), texture) != woodTextures.end()) {
        playEffect(hitWoodSound, &effectsChannel);
    }
}

void startBackgroundMusic()
{
    musicChannel = playSound(soundSystem, backgroundMusic, anyFreeChannel);
    setChannelVolume(soundSystem, musicChannel, backgroundVolume);
}

void startVictoryMusic()
{
    musicChannel = playSound(soundSystem, victoryMusic, anyFreeChannel);
}

void releaseSound()
{
    releaseSoundSystem(soundSystem);
    soundSystem = nullptr;
    forgetHandles();
}
