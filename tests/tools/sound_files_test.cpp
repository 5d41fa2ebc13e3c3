#include "tests/tools/media_reading.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> effects = {"jump.wav",   "hitMetal.wav", "hitWood.wav", "save.wav",
                                          "shrink.wav", "grow.wav",     "fall.wav"};

Wav loadWav(const std::string& name) { return parseWav(readBytes(mediaPath("sounds/" + name))); }

std::vector<int> channel(const Wav& w, int c)
{
    std::vector<int> out;
    for (size_t i = c; i < w.samples.size(); i += w.channels)
        out.push_back(w.samples[i]);
    return out;
}

// Upward zero crossings per second over [from, to) seconds: a rough pitch.
double crossingRate(const std::vector<int>& s, double from, double to)
{
    const size_t a = static_cast<size_t>(from * 44100), b = std::min(s.size(), static_cast<size_t>(to * 44100));
    int crossings = 0;
    for (size_t i = a + 1; i < b; ++i)
        crossings += s[i - 1] < 0 && s[i] >= 0;
    return crossings / (to - from);
}

// Uncompressed 16-bit PCM at 44.1 kHz, mono or stereo, with the derived
// header fields consistent.
void expectCdPcm(const Wav& w)
{
    ASSERT_TRUE(w.valid);
    EXPECT_EQ(w.format, 1);
    EXPECT_EQ(w.rate, 44100);
    EXPECT_EQ(w.bits, 16);
    ASSERT_TRUE(w.channels == 1 || w.channels == 2);
    EXPECT_EQ(w.blockAlign, 2 * w.channels);
    EXPECT_EQ(w.byteRate, 44100u * 2 * w.channels);
}

// The sounds as the game's mixer holds them once loaded: 16-bit stereo at
// 44.1 kHz, mono effects on both sides, the MP3 decoded.
std::vector<std::vector<std::int16_t>> decodeAsTheMixerDoes(const std::vector<std::string>& names)
{
    std::vector<std::vector<std::int16_t>> decoded;
    SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (SDL_Init(SDL_INIT_AUDIO) != 0) return decoded;
    Mix_Init(MIX_INIT_MP3);
    int rate = 0, channels = 0;
    Uint16 format = 0;
    if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) == 0 && Mix_QuerySpec(&rate, &format, &channels) != 0) {
        for (const std::string& name : names) {
            if (rate != 44100 || format != AUDIO_S16SYS || channels != 2)
                break;
            Mix_Chunk* chunk = Mix_LoadWAV(mediaPath("sounds/" + name).c_str());
            if (chunk == nullptr) break;
            const auto* samples = reinterpret_cast<const std::int16_t*>(chunk->abuf);
            decoded.emplace_back(samples, samples + chunk->alen / 2);
            Mix_FreeChunk(chunk);
        }
        Mix_CloseAudio();
    }
    Mix_Quit();
    SDL_Quit();
    return decoded;
}

} // namespace

TEST(SoundFiles, EffectsAreShortCleanPcmWavs)
{
    for (const std::string& name : effects) {
        SCOPED_TRACE(name);
        const Wav w = loadWav(name);
        ASSERT_NO_FATAL_FAILURE(expectCdPcm(w));
        EXPECT_GT(w.seconds(), 0.1);
        EXPECT_LT(w.seconds(), 2.5);
        // Audible, not clipped, and starting and ending at rest (no click).
        // How loud each may be is the mix's to say (the test below).
        const auto [lo, hi] = std::minmax_element(w.samples.begin(), w.samples.end());
        EXPECT_GT(std::max(-*lo, int(*hi)), 1500);
        EXPECT_LT(std::max(-*lo, int(*hi)), 32767);
        EXPECT_LT(std::abs(w.samples.front()), 300);
        EXPECT_LT(std::abs(w.samples.back()), 300);
    }
}

TEST(SoundFiles, EffectsAreDistinct)
{
    // No two effects share the same samples.
    for (size_t a = 0; a < effects.size(); ++a)
        for (size_t b = a + 1; b < effects.size(); ++b)
            EXPECT_NE(loadWav(effects[a]).samples, loadWav(effects[b]).samples) << effects[a] << " " << effects[b];
}

TEST(SoundFiles, ShrinkAndFallGoDownInPitchAndGrowGoesUp)
{
    auto rising = [](const std::string& name) {
        const Wav w = loadWav(name);
        const std::vector<int> s = channel(w, 0);
        const double len = w.seconds();
        return crossingRate(s, len * 0.6, len * 0.9) / crossingRate(s, len * 0.05, len * 0.35);
    };
    EXPECT_LT(rising("shrink.wav"), 0.6);
    EXPECT_LT(rising("fall.wav"), 0.6);
    EXPECT_GT(rising("grow.wav"), 1.6);
}

TEST(SoundFiles, FallIsASoftToneNeitherHissNorWhistle)
{
    // Noise and a high whistle both cross zero often; a mellow tone does not.
    const Wav w = loadWav("fall.wav");
    const std::vector<int> s = channel(w, 0);
    for (double from = 0.05; from + 0.1 < w.seconds() - 0.05; from += 0.1)
        EXPECT_LT(crossingRate(s, from, from + 0.1), 900.0) << "from " << from << " s";
}

TEST(SoundFiles, BackgroundMusicLoopsForTwentySecondsWithoutAClick)
{
    const Wav w = loadWav("MI2.wav");
    ASSERT_NO_FATAL_FAILURE(expectCdPcm(w));
    EXPECT_GE(w.seconds(), 20.0);
    for (int c = 0; c < w.channels; ++c) {
        SCOPED_TRACE(c);
        const std::vector<int> s = channel(w, c);
        std::vector<int> steps;
        for (size_t i = 1; i < s.size(); ++i)
            steps.push_back(std::abs(s[i] - s[i - 1]));
        std::nth_element(steps.begin(), steps.begin() + steps.size() * 99 / 100, steps.end());
        const int typical = steps[steps.size() * 99 / 100];
        EXPECT_LE(std::abs(s.front() - s.back()), typical);
        // The music plays on across the loop point instead of fading out and in.
        double edgeEnergy = 0;
        for (size_t i = 0; i < 4410; ++i)
            edgeEnergy += std::abs(s[i]) + std::abs(s[s.size() - 1 - i]);
        EXPECT_GT(edgeEnergy / 8820, 500.0);
    }
}

TEST(SoundFiles, VictoryMusicIsAnMp3ThatDecodes)
{
    const Bytes mp3 = readBytes(mediaPath("sounds/musicVictory.mp3"));
    ASSERT_GT(mp3.size(), 4u);
    // MPEG audio frame sync, layer III.
    EXPECT_EQ(mp3[0], 0xff);
    EXPECT_EQ(mp3[1] & 0xe0, 0xe0);
    EXPECT_EQ((mp3[1] >> 1) & 3, 1);

    const std::vector<std::vector<std::int16_t>> decoded = decodeAsTheMixerDoes({"musicVictory.mp3"});
    ASSERT_EQ(decoded.size(), 1u) << "the mixer cannot decode it: " << Mix_GetError();
    const std::vector<std::int16_t>& samples = decoded[0];
    const double seconds = samples.size() / 2.0 / 44100;
    EXPECT_GT(seconds, 2.0);
    EXPECT_LT(seconds, 10.0);
    int peak = 0;
    for (std::int16_t sample : samples)
        peak = std::max(peak, std::abs(int(sample)));
    EXPECT_GT(peak, 2000);
}

TEST(SoundFiles, EveryEffectAndBothTracksAtOnceNeverClip)
{
    // The game plays the background music at 45/128 (its 0.35), everything
    // else at full volume at most; the mixer adds the channels and clips.
    struct Playing {
        std::string name;
        int volume; // of 128
    };
    std::vector<Playing> all;
    for (const std::string& name : effects)
        all.push_back({name, 128});
    all.push_back({"MI2.wav", 45});
    all.push_back({"musicVictory.mp3", 128});
    std::vector<std::string> names;
    for (const Playing& p : all)
        names.push_back(p.name);
    const std::vector<std::vector<std::int16_t>> sounds = decodeAsTheMixerDoes(names);
    ASSERT_EQ(sounds.size(), all.size()) << Mix_GetError();

    // All nine mixed with each moved so that its loudest sample falls on one
    // instant, its sign turned to add: the worst any timing can do.
    std::vector<size_t> loudest;
    for (const std::vector<std::int16_t>& s : sounds)
        loudest.push_back(size_t(std::max_element(s.begin(), s.end(), [](int a, int b) {
                                     return std::abs(a) < std::abs(b);
                                 }) - s.begin()) & ~size_t(1));
    const size_t latest = *std::max_element(loudest.begin(), loudest.end());
    std::vector<int> mix;
    for (size_t k = 0; k < sounds.size(); ++k) {
        const size_t start = latest - loudest[k];
        const int sign = sounds[k][loudest[k]] < 0 ? -1 : 1;
        mix.resize(std::max(mix.size(), start + sounds[k].size()), 0);
        for (size_t i = 0; i < sounds[k].size(); ++i)
            mix[start + i] += sign * sounds[k][i] * all[k].volume / 128;
    }
    int peak = 0;
    size_t clipped = 0;
    for (int v : mix) {
        peak = std::max(peak, std::abs(v));
        clipped += v > 32767 || v < -32768;
    }
    std::printf("loudest moments together: peak %.3f of full scale, %zu samples clipped\n", peak / 32768.0, clipped);
    EXPECT_EQ(clipped, 0u) << "peak " << peak / 32768.0 << " of full scale";
}
