// TODO(stub)
#include "assets/sound.h"
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
void initSound() {}
void playEffect(Sound*, Channel**) {}
void playImpactSound(unsigned int) {}
void startBackgroundMusic() {}
void startVictoryMusic() {}
void releaseSound() {}
