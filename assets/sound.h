#pragma once
// The game's sounds: the table of nine, the three channel slots and the
// play operations. The sound layer (sound_layer.h) does the mixing.

struct SoundSystem;
struct Sound;
struct Channel;

extern SoundSystem* soundSystem;

extern Sound* jumpSound;
extern Sound* hitMetalSound;
extern Sound* hitWoodSound;
extern Sound* saveSound;
extern Sound* shrinkSound;
extern Sound* growSound;
extern Sound* fallSound;
extern Sound* backgroundMusic;
extern Sound* victoryMusic;

extern Channel* musicChannel;
extern Channel* effectsChannel;
extern Channel* jumpChannel;

// Creates the sound system with 10 channels and loads the nine sounds.
void initSound();
// Plays a sound once on a free channel and stores the channel in *slot.
void playEffect(Sound* sound, Channel** slot);
// The landing sound for a block's texture: metal, wood, or nothing.
void playImpactSound(unsigned int texture);
// Background music on a free channel at volume 0.35.
void startBackgroundMusic();
// Victory music on a free channel at full volume; the background goes on.
void startVictoryMusic();
// Releases the sound system (on Esc).
void releaseSound();
