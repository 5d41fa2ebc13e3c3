#include "app/front/audio.h"

#include <algorithm>

#include "app/front/front.h"
#include "assets/sound_layer.h"

namespace {

// A jump from level ground comes down at this speed (the normal ball's) and
// rings at full volume; each bounce of the ball settling comes down at 0.63
// of the speed before, and rings that much more softly.
constexpr float fullVolumeLandingSpeed = 20.0f;

void playImpactSound(GameSounds& sounds, Material material, float speed)
{
    Sound* sound = nullptr;
    if (material == Material::Metal) {
        sound = sounds.hitMetalSound;
    } else if (material == Material::Wood) {
        sound = sounds.hitWoodSound;
    }
    if (!sound) return;
    playEffect(sounds, sound, &sounds.effectsChannel);
    setEffectLevel(sounds, sounds.effectsChannel, std::clamp(speed / fullVolumeLandingSpeed, 0.0f, 1.0f));
}

}  // namespace

void playEvents(GameSounds& sounds, const GameEvents& events)
{
    for (const GameEvent& event : events) {
        switch (event.kind) {
        case EventKind::Jump:
            playEffect(sounds, sounds.jumpSound, &sounds.jumpChannel);
            break;
        case EventKind::Landing:
            playImpactSound(sounds, event.material, event.speed);
            break;
        case EventKind::Fall:
            playEffect(sounds, sounds.fallSound, &sounds.effectsChannel);
            break;
        case EventKind::Shrink:
            playEffect(sounds, sounds.shrinkSound, &sounds.effectsChannel);
            break;
        case EventKind::Grow:
            playEffect(sounds, sounds.growSound, &sounds.effectsChannel);
            break;
        case EventKind::CheckpointSaved:
            playEffect(sounds, sounds.saveSound, &sounds.effectsChannel);
            break;
        case EventKind::GoalReached:
            startVictoryMusic(sounds);
            break;
        }
    }
}

void hearAsks(GameSounds& sounds, const FrontAsks& asks)
{
    // A restart comes before the ticks after it, whose sounds then play
    // over the music started again.
    if (asks.restartMusic) restartMusic(sounds);
    if (asks.musicSoft) softenMusic(sounds, *asks.musicSoft);
    playEvents(sounds, asks.events);
    if (asks.toggleMute) switchMute(sounds);
    if (asks.settings) applySoundSettings(sounds, *asks.settings);
}

void applySoundSettings(GameSounds& sounds, const PlayerSettings& settings)
{
    setMusicVolume(sounds, float(settings.musicVolume) / 100.0f);
    setEffectsVolume(sounds, float(settings.effectsVolume) / 100.0f);
    if (sounds.muted != settings.mute) switchMute(sounds);
}
