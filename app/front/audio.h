#pragma once
// What the player hears of a tick: the game's events turned into sounds.

#include "assets/sound.h"
#include "sim/events.h"

struct FrontAsks;
struct PlayerSettings;

// Plays every event of the tick, in order. A landing rings by its material
// (metal and wood have a sound, glass and bare blocks none), as loud as the
// ball comes down: full volume from a jump or anything faster, softer for
// each bounce as it settles.
void playEvents(GameSounds& sounds, const GameEvents& events);

// What the front asked to be heard since the shell last asked: the ticks'
// events, mute, the music softer or as usual, the music from its start.
void hearAsks(GameSounds& sounds, const FrontAsks& asks);

// The player's music and effects volumes and mute, as the settings say.
void applySoundSettings(GameSounds& sounds, const PlayerSettings& settings);
