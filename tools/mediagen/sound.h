#pragma once
// Synthesised sounds: float samples in [-1, 1], interleaved by channel.

#include <cstdint>
#include <string>
#include <vector>

constexpr int sampleRate = 44100;

struct Sound {
    int channels = 1;
    std::vector<float> samples;
};

Sound makeSound(int channels, double seconds);
size_t frameCount(const Sound& sound);
double seconds(const Sound& sound);
// Scales so that the loudest sample has magnitude `peak`.
void normalise(Sound& sound, float peak);
// Short fades at both ends so an effect starts and stops without a click.
void fadeEnds(Sound& sound, double fadeIn, double fadeOut);

// A small deterministic white-noise source.
struct NoiseSource {
    std::uint32_t state;
    float next(); // uniform in [-1, 1)
};

double midiToHz(double note);

// 16-bit PCM WAV at 44100 Hz.
std::vector<std::uint8_t> encodeWav(const Sound& sound);
// MP3 through LAME, constant bit rate; empty on failure.
std::vector<std::uint8_t> encodeMp3(const Sound& sound);

Sound makeJumpSound();
Sound makeHitMetalSound();
Sound makeHitWoodSound();
Sound makeSaveSound();
Sound makeShrinkSound();
Sound makeGrowSound();
Sound makeFallSound();
// Background loop: the last sample flows straight into the first.
Sound makeBackgroundMusic();
Sound makeVictoryMusic();
