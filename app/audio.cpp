#include "app/audio.h"

namespace {

void playImpactSound(GameSounds& sounds, Material material)
{
    if (material == Material::Metal) {
        playEffect(sounds, sounds.hitMetalSound, &sounds.effectsChannel);
    } else if (material == Material::Wood) {
        playEffect(sounds, sounds.hitWoodSound, &sounds.effectsChannel);
    }
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
            playImpactSound(sounds, event.material);
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
