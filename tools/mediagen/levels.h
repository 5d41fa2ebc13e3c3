#pragma once
// How loud each sound is made: its loudest sample as a share of full scale.
//
// The game plays the background track at 0.35 of full volume and every
// other sound at full volume at most, and the mixer simply adds the
// channels. These peaks, taken at those volumes, add up to under full scale:
// all seven effects and both tracks at their loudest moment at once still
// do not clip. Within that budget the effects sit above the music, and the
// long, steady tones (shrink, grow, the fall) are made quieter than the
// short knocks, which sound softer for the same peak.

namespace level {

constexpr float jump = 0.09f;
constexpr float hitMetal = 0.15f;
constexpr float hitWood = 0.13f;
constexpr float save = 0.10f;
constexpr float shrinkOrGrow = 0.065f;
constexpr float fall = 0.08f;
// 0.34 at the game's 0.35: about 0.12 in the mix.
constexpr float backgroundMusic = 0.34f;
constexpr float victoryMusic = 0.12f;

} // namespace level
