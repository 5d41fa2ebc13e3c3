#pragma once
// The game's sounds: the table of nine, the three channel slots and the
// play operations. The sound layer (sound_layer.h) does the mixing.

struct SoundSystem;
struct Sound;
struct Channel;

// The sound system with its nine sounds and the channels last played on.
// All null when the machine has no sound: then every play does nothing.
struct GameSounds {
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
    float volume = 1.0f;  // the player's, 0..1: everything heard
    bool muted = false;
    float musicVolume = 1.0f;    // the menu's, 0..1, on top of `volume`
    float effectsVolume = 1.0f;
    float musicLevel = 0.0f;     // the track's own level now (the background's, softer paused, the victory's)
};

// Creates the sound system with 10 channels and loads the nine sounds from
// "sounds/".
void initSound(GameSounds& sounds);
// Plays a sound once on a free channel and stores the channel in *slot.
void playEffect(GameSounds& sounds, Sound* sound, Channel** slot);
// Background music on a free channel at volume 0.35.
void startBackgroundMusic(GameSounds& sounds);
// Victory music on a free channel at full volume; the background goes on.
void startVictoryMusic(GameSounds& sounds);
// The player's volume (0..1), kept through a mute.
void setSoundVolume(GameSounds& sounds, float volume);
void switchMute(GameSounds& sounds);
// The music and the effects each at their own level (0..1), on top of the
// player's volume; the music playing changes at once.
void setMusicVolume(GameSounds& sounds, float volume);
void setEffectsVolume(GameSounds& sounds, float volume);
// An effect's channel at `level` (0..1) of the effects' volume.
void setEffectLevel(GameSounds& sounds, Channel* channel, float level);
// The background music softer while the game is paused, or as usual.
void softenMusic(GameSounds& sounds, bool soft);
// Everything stopped and the background music from its beginning, as at
// start-up.
void restartMusic(GameSounds& sounds);
// Releases the sound system (on Esc) and forgets every handle.
void releaseSound(GameSounds& sounds);
