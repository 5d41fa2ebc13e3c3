#include <gtest/gtest.h>

#include <SDL.h>
#include <lame/lame.h>

#include <cmath>
#include <csignal>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "assets/sound.h"
#include "assets/sound_layer.h"
#include "assets/texture_names.h"
#include "tests/support/media_files.h"

namespace {

const char* const soundOrder[9] = {
    "sounds/jump.wav",   "sounds/hitMetal.wav", "sounds/hitWood.wav",
    "sounds/save.wav",   "sounds/shrink.wav",   "sounds/grow.wav",
    "sounds/fall.wav",   "sounds/MI2.wav",      "sounds/musicVictory.mp3",
};

// One second of a 440 Hz tone, stereo, as a real MP3.
std::vector<unsigned char> makeMp3()
{
    const int rate = 44100;
    std::vector<short> pcm(size_t(rate) * 2);
    for (int i = 0; i < rate; ++i)
        pcm[size_t(i) * 2] = pcm[size_t(i) * 2 + 1] = short(6000 * std::sin(2 * M_PI * 440 * i / rate));
    lame_global_flags* lame = lame_init();
    lame_set_in_samplerate(lame, rate);
    lame_set_num_channels(lame, 2);
    lame_set_brate(lame, 64);
    lame_init_params(lame);
    std::vector<unsigned char> out(size_t(rate) * 2 + 7200);
    int written = lame_encode_buffer_interleaved(lame, pcm.data(), rate, out.data(), int(out.size()));
    written += lame_encode_flush(lame, out.data() + written, int(out.size()) - written);
    lame_close(lame);
    out.resize(size_t(written));
    return out;
}

void writeAllSounds()
{
    mkdir("sounds", 0755);
    for (int i = 0; i < 8; ++i) writeFile(soundOrder[i], makeWav(2.0, 200.0 + 50 * i));
    writeFile(soundOrder[8], makeMp3());
}

class SoundTest : public ::testing::Test {
protected:
    ScratchDir dir;
    std::string startupErrors;

    void SetUp() override
    {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        writeAllSounds();
        metalTexture = 101;
        glassTexture = 102;
        woodTextures = {201, 202, 203, 204, 205, 206};
        startUp();
    }
    void TearDown() override
    {
        releaseSound();
        clearSoundPlayLog();
        woodTextures.clear();
    }
    void startUp()
    {
        startupErrors = stderrOf(initSound);
        clearSoundPlayLog();
    }
};

int channelOf(const Channel* channel)
{
    return channel ? channel->index : -1;
}

// With no sound system every entry point must be a quiet no-op, release
// included, however often it is called.
void expectEverythingSilent()
{
    clearSoundPlayLog();
    const std::string said = stderrOf([] {
        playEffect(jumpSound, &jumpChannel);
        playImpactSound(metalTexture);
        startBackgroundMusic();
        startVictoryMusic();
        releaseSound();
    });
    EXPECT_EQ(said, "");
    EXPECT_TRUE(soundPlayLog().empty());
    EXPECT_EQ(jumpChannel, nullptr);
    EXPECT_EQ(musicChannel, nullptr);
}

TEST_F(SoundTest, NineSoundsLoadInTableOrderWithTheirModes)
{
    ASSERT_NE(soundSystem, nullptr);
    EXPECT_EQ(startupErrors, "");
    EXPECT_EQ(soundSystem->channels.size(), 10u);
    Sound* globals[9] = {jumpSound, hitMetalSound, hitWoodSound, saveSound,      shrinkSound,
                         growSound, fallSound,     backgroundMusic, victoryMusic};
    ASSERT_EQ(soundSystem->sounds.size(), 9u);
    for (int i = 0; i < 9; ++i) {
        SCOPED_TRACE(soundOrder[i]);
        Sound* sound = soundSystem->sounds[size_t(i)];
        EXPECT_EQ(sound, globals[i]);
        EXPECT_EQ(sound->file, soundOrder[i]);
        EXPECT_EQ(sound->mode, i < 7 ? soundPlayOnce : soundLoop);
        EXPECT_NE(sound->chunk, nullptr);
    }
}

TEST_F(SoundTest, ImpactSoundFollowsTheBlockMaterial)
{
    playImpactSound(metalTexture);
    ASSERT_EQ(soundPlayLog().size(), 1u);
    EXPECT_EQ(soundPlayLog()[0].file, "sounds/hitMetal.wav");
    EXPECT_EQ(soundPlayLog()[0].channel, channelOf(effectsChannel));

    for (unsigned int wood : woodTextures) {
        clearSoundPlayLog();
        playImpactSound(wood);
        ASSERT_EQ(soundPlayLog().size(), 1u) << wood;
        EXPECT_EQ(soundPlayLog()[0].file, "sounds/hitWood.wav");
        EXPECT_EQ(soundPlayLog()[0].channel, channelOf(effectsChannel));
    }

    clearSoundPlayLog();
    playImpactSound(glassTexture);
    playImpactSound(999);
    EXPECT_TRUE(soundPlayLog().empty());
}

TEST_F(SoundTest, TwoEffectsInOneStepTakeTwoChannels)
{
    playEffect(saveSound, &effectsChannel);
    Channel* first = effectsChannel;
    playEffect(growSound, &effectsChannel);
    ASSERT_EQ(soundPlayLog().size(), 2u);
    EXPECT_NE(soundPlayLog()[0].channel, soundPlayLog()[1].channel);
    EXPECT_EQ(channelOf(first), soundPlayLog()[0].channel);
    EXPECT_EQ(channelOf(effectsChannel), soundPlayLog()[1].channel);
    EXPECT_TRUE(channelPlaying(soundSystem, first));
    EXPECT_TRUE(channelPlaying(soundSystem, effectsChannel));

    playEffect(jumpSound, &jumpChannel);
    EXPECT_EQ(soundPlayLog().back().file, "sounds/jump.wav");
    EXPECT_EQ(channelOf(jumpChannel), soundPlayLog().back().channel);
    EXPECT_EQ(channelOf(effectsChannel), soundPlayLog()[1].channel);
}

TEST_F(SoundTest, BackgroundThenVictoryMusicPlayTogether)
{
    startBackgroundMusic();
    Channel* background = musicChannel;
    ASSERT_NE(background, nullptr);
    ASSERT_EQ(soundPlayLog().size(), 1u);
    EXPECT_EQ(soundPlayLog()[0].file, "sounds/MI2.wav");
    EXPECT_NEAR(soundPlayLog()[0].volume, 0.35f, 1.0f / 128);
    EXPECT_NEAR(channelVolume(soundSystem, background), 0.35f, 1.0f / 128);

    startVictoryMusic();
    ASSERT_EQ(soundPlayLog().size(), 2u);
    EXPECT_EQ(soundPlayLog()[1].file, "sounds/musicVictory.mp3");
    EXPECT_NE(musicChannel, background);
    EXPECT_EQ(channelOf(musicChannel), soundPlayLog()[1].channel);
    EXPECT_FLOAT_EQ(channelVolume(soundSystem, musicChannel), 1.0f);
    EXPECT_TRUE(channelPlaying(soundSystem, background));
    EXPECT_TRUE(channelPlaying(soundSystem, musicChannel));
    EXPECT_NEAR(channelVolume(soundSystem, background), 0.35f, 1.0f / 128);
}

TEST_F(SoundTest, NewPlaybackStartsAtFullVolumeAndFullMixerDropsTheSound)
{
    Channel* channel = playSound(soundSystem, saveSound, 3);
    ASSERT_EQ(channelOf(channel), 3);
    setChannelVolume(soundSystem, channel, 0.1f);
    EXPECT_NEAR(soundPlayLog().back().volume, 0.1f, 1.0f / 128);
    channel = playSound(soundSystem, backgroundMusic, 3);
    EXPECT_EQ(channelOf(channel), 3);
    EXPECT_FLOAT_EQ(channelVolume(soundSystem, channel), 1.0f);
    EXPECT_EQ(playSound(soundSystem, growSound, 10), nullptr);

    clearSoundPlayLog();
    for (int i = 0; i < 10; ++i) playSound(soundSystem, backgroundMusic, anyFreeChannel);
    EXPECT_EQ(soundPlayLog().size(), 9u);
    EXPECT_EQ(playSound(soundSystem, victoryMusic, anyFreeChannel), nullptr);
    EXPECT_EQ(soundPlayLog().size(), 9u);
}

using SoundDeathTest = SoundTest;

TEST_F(SoundDeathTest, CtrlCAndTerminateStillEndTheGame)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // The sound system is up (SetUp), as it is while the game runs.
    ASSERT_NE(soundSystem, nullptr);
    EXPECT_EXIT(std::raise(SIGINT), ::testing::KilledBySignal(SIGINT), "");
    EXPECT_EXIT(std::raise(SIGTERM), ::testing::KilledBySignal(SIGTERM), "");
}

TEST_F(SoundTest, PlayLogKeepsOnlyTheLatestPlays)
{
    // A long game plays thousands of effects; the log must not grow with them.
    for (int i = 0; i < 1000; ++i) playSound(soundSystem, i % 2 ? jumpSound : saveSound, 4);
    playSound(soundSystem, growSound, 5);
    ASSERT_EQ(soundPlayLog().size(), 256u);
    EXPECT_EQ(soundPlayLog().back().file, "sounds/grow.wav");
    EXPECT_EQ(soundPlayLog().back().channel, 5);
    EXPECT_EQ(soundPlayLog().front().file, "sounds/jump.wav");
}

TEST_F(SoundTest, LoopingSoundOutlastsItsLengthAndAOneShotEnds)
{
    writeFile("sounds/blip.wav", makeWav(0.05, 600.0));
    Sound* once = createSound(soundSystem, "sounds/blip.wav", soundPlayOnce);
    Sound* looped = createSound(soundSystem, "sounds/blip.wav", soundLoop);
    Channel* onceChannel = playSound(soundSystem, once, anyFreeChannel);
    Channel* loopChannel = playSound(soundSystem, looped, anyFreeChannel);
    ASSERT_NE(onceChannel, nullptr);
    ASSERT_NE(loopChannel, nullptr);
    SDL_Delay(400);
    EXPECT_FALSE(channelPlaying(soundSystem, onceChannel));
    EXPECT_TRUE(channelPlaying(soundSystem, loopChannel));
}

TEST_F(SoundTest, AfterReleaseNothingPlays)
{
    startBackgroundMusic();
    EXPECT_EQ(stderrOf(releaseSound), "");
    EXPECT_EQ(soundSystem, nullptr);
    EXPECT_EQ(musicChannel, nullptr);
    EXPECT_EQ(jumpSound, nullptr);
    expectEverythingSilent();
}

TEST_F(SoundTest, MissingAndUndecodableFilesStaySilentAlone)
{
    releaseSound();
    std::remove("sounds/fall.wav");
    writeFile("sounds/musicVictory.mp3", std::vector<unsigned char>(3000, 0x5a));
    startUp();
    ASSERT_NE(soundSystem, nullptr);
    EXPECT_EQ(countLines(startupErrors), 2) << startupErrors;
    EXPECT_NE(startupErrors.find("sounds/fall.wav"), std::string::npos);
    EXPECT_NE(startupErrors.find("sounds/musicVictory.mp3"), std::string::npos);
    ASSERT_NE(fallSound, nullptr);
    EXPECT_EQ(fallSound->chunk, nullptr);
    EXPECT_EQ(victoryMusic->chunk, nullptr);

    playEffect(fallSound, &effectsChannel);
    EXPECT_EQ(effectsChannel, nullptr);
    startVictoryMusic();
    EXPECT_TRUE(soundPlayLog().empty());
    playEffect(saveSound, &effectsChannel);
    startBackgroundMusic();
    ASSERT_EQ(soundPlayLog().size(), 2u);
    EXPECT_EQ(soundPlayLog()[0].file, "sounds/save.wav");
    EXPECT_EQ(soundPlayLog()[1].file, "sounds/MI2.wav");
}

TEST_F(SoundTest, NoAudioDeviceRunsSilentWithOneLine)
{
    releaseSound();
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    startUp();
    EXPECT_EQ(soundSystem, nullptr);
    EXPECT_EQ(countLines(startupErrors), 1) << startupErrors;
    EXPECT_NE(startupErrors.find("sound is off"), std::string::npos) << startupErrors;
    expectEverythingSilent();
}

TEST_F(SoundTest, SoundCardProbeChatterIsHidden)
{
    // Through the real ALSA back end: on a machine without a sound card the
    // ALSA library would print a screenful of its own errors.
    releaseSound();
    setenv("SDL_AUDIODRIVER", "alsa", 1);
    startUp();
    if (soundSystem) GTEST_SKIP() << "this machine has a working sound card";
    EXPECT_EQ(countLines(startupErrors), 1) << startupErrors;
    EXPECT_EQ(startupErrors.rfind("skycourse: sound is off: ", 0), 0u) << startupErrors;
}

}  // namespace
