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
#include "tests/support/media_files.h"
#include "tests/support/play_log.h"

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
    GameSounds s;
    std::string startupErrors;

    void SetUp() override
    {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        writeAllSounds();
        startUp();
    }
    void TearDown() override
    {
        releaseSound(s);
        clearSoundPlayLog();
    }
    void startUp()
    {
        startupErrors = stderrOf([this] { initSound(s); });
        clearSoundPlayLog();
    }
};

int channelOf(const Channel* channel)
{
    return channel ? channel->index : -1;
}

// With no sound system every entry point must be a quiet no-op, release
// included, however often it is called.
void expectEverythingSilent(GameSounds& s)
{
    clearSoundPlayLog();
    const std::string said = stderrOf([&s] {
        playEffect(s, s.jumpSound, &s.jumpChannel);
        startBackgroundMusic(s);
        startVictoryMusic(s);
        releaseSound(s);
    });
    EXPECT_EQ(said, "");
    EXPECT_TRUE(soundPlayLog().empty());
    EXPECT_EQ(s.jumpChannel, nullptr);
    EXPECT_EQ(s.musicChannel, nullptr);
}

TEST_F(SoundTest, NineSoundsLoadInTableOrderWithTheirModes)
{
    ASSERT_NE(s.soundSystem, nullptr);
    EXPECT_EQ(startupErrors, "");
    EXPECT_EQ(s.soundSystem->channels.size(), 10u);
    Sound* globals[9] = {s.jumpSound, s.hitMetalSound, s.hitWoodSound, s.saveSound,      s.shrinkSound,
                         s.growSound, s.fallSound,     s.backgroundMusic, s.victoryMusic};
    ASSERT_EQ(s.soundSystem->sounds.size(), 9u);
    for (int i = 0; i < 9; ++i) {
        SCOPED_TRACE(soundOrder[i]);
        Sound* sound = s.soundSystem->sounds[size_t(i)];
        EXPECT_EQ(sound, globals[i]);
        EXPECT_EQ(sound->file, soundOrder[i]);
        EXPECT_EQ(sound->mode, i < 7 ? soundPlayOnce : soundLoop);
        EXPECT_NE(sound->chunk, nullptr);
    }
}

TEST_F(SoundTest, TwoEffectsInOneStepTakeTwoChannels)
{
    playEffect(s, s.saveSound, &s.effectsChannel);
    Channel* first = s.effectsChannel;
    playEffect(s, s.growSound, &s.effectsChannel);
    ASSERT_EQ(soundPlayLog().size(), 2u);
    EXPECT_NE(soundPlayLog()[0].channel, soundPlayLog()[1].channel);
    EXPECT_EQ(channelOf(first), soundPlayLog()[0].channel);
    EXPECT_EQ(channelOf(s.effectsChannel), soundPlayLog()[1].channel);
    EXPECT_TRUE(channelPlaying(s.soundSystem, first));
    EXPECT_TRUE(channelPlaying(s.soundSystem, s.effectsChannel));

    playEffect(s, s.jumpSound, &s.jumpChannel);
    EXPECT_EQ(soundPlayLog().back().file, "sounds/jump.wav");
    EXPECT_EQ(channelOf(s.jumpChannel), soundPlayLog().back().channel);
    EXPECT_EQ(channelOf(s.effectsChannel), soundPlayLog()[1].channel);
}

TEST_F(SoundTest, BackgroundThenVictoryMusicPlayTogether)
{
    startBackgroundMusic(s);
    Channel* background = s.musicChannel;
    ASSERT_NE(background, nullptr);
    ASSERT_EQ(soundPlayLog().size(), 1u);
    EXPECT_EQ(soundPlayLog()[0].file, "sounds/MI2.wav");
    EXPECT_NEAR(soundPlayLog()[0].volume, 0.35f, 1.0f / 128);
    EXPECT_NEAR(channelVolume(s.soundSystem, background), 0.35f, 1.0f / 128);

    startVictoryMusic(s);
    ASSERT_EQ(soundPlayLog().size(), 2u);
    EXPECT_EQ(soundPlayLog()[1].file, "sounds/musicVictory.mp3");
    EXPECT_NE(s.musicChannel, background);
    EXPECT_EQ(channelOf(s.musicChannel), soundPlayLog()[1].channel);
    EXPECT_FLOAT_EQ(channelVolume(s.soundSystem, s.musicChannel), 1.0f);
    EXPECT_TRUE(channelPlaying(s.soundSystem, background));
    EXPECT_TRUE(channelPlaying(s.soundSystem, s.musicChannel));
    EXPECT_NEAR(channelVolume(s.soundSystem, background), 0.35f, 1.0f / 128);
}

TEST_F(SoundTest, ThePlayersVolumeMuteAndPauseAndARestartsMusic)
{
    startBackgroundMusic(s);
    setSoundVolume(s, 0.4f);
    EXPECT_NEAR(masterVolume(s.soundSystem), 0.4f, 1.0f / 128);
    switchMute(s);
    EXPECT_EQ(masterVolume(s.soundSystem), 0.0f);
    switchMute(s);
    EXPECT_NEAR(masterVolume(s.soundSystem), 0.4f, 1.0f / 128) << "unmuting gives the chosen volume back";

    softenMusic(s, true);
    EXPECT_LT(channelVolume(s.soundSystem, s.musicChannel), 0.35f - 0.1f);
    EXPECT_GT(channelVolume(s.soundSystem, s.musicChannel), 0.0f) << "the music plays on while paused";
    softenMusic(s, false);
    EXPECT_NEAR(channelVolume(s.soundSystem, s.musicChannel), 0.35f, 1.0f / 128);

    startVictoryMusic(s);
    restartMusic(s);
    int playing = 0;
    for (Channel& channel : s.soundSystem->channels) playing += channelPlaying(s.soundSystem, &channel);
    EXPECT_EQ(playing, 1) << "only the background music, as at start-up";
    EXPECT_EQ(soundPlayLog().back().file, "sounds/MI2.wav");
    setSoundVolume(s, 1.0f);
}

TEST_F(SoundTest, NewPlaybackStartsAtFullVolumeAndFullMixerDropsTheSound)
{
    Channel* channel = playSound(s.soundSystem, s.saveSound, 3);
    ASSERT_EQ(channelOf(channel), 3);
    setChannelVolume(s.soundSystem, channel, 0.1f);
    EXPECT_NEAR(soundPlayLog().back().volume, 0.1f, 1.0f / 128);
    channel = playSound(s.soundSystem, s.backgroundMusic, 3);
    EXPECT_EQ(channelOf(channel), 3);
    EXPECT_FLOAT_EQ(channelVolume(s.soundSystem, channel), 1.0f);
    EXPECT_EQ(playSound(s.soundSystem, s.growSound, 10), nullptr);

    clearSoundPlayLog();
    for (int i = 0; i < 10; ++i) playSound(s.soundSystem, s.backgroundMusic, anyFreeChannel);
    EXPECT_EQ(soundPlayLog().size(), 9u);
    EXPECT_EQ(playSound(s.soundSystem, s.victoryMusic, anyFreeChannel), nullptr);
    EXPECT_EQ(soundPlayLog().size(), 9u);
}

using SoundDeathTest = SoundTest;

TEST_F(SoundDeathTest, CtrlCAndTerminateStillEndTheGame)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // The sound system is up (SetUp), as it is while the game runs.
    ASSERT_NE(s.soundSystem, nullptr);
    EXPECT_EXIT(std::raise(SIGINT), ::testing::KilledBySignal(SIGINT), "");
    EXPECT_EXIT(std::raise(SIGTERM), ::testing::KilledBySignal(SIGTERM), "");
}

TEST_F(SoundTest, LoopingSoundOutlastsItsLengthAndAOneShotEnds)
{
    writeFile("sounds/blip.wav", makeWav(0.05, 600.0));
    Sound* once = createSound(s.soundSystem, "sounds/blip.wav", soundPlayOnce);
    Sound* looped = createSound(s.soundSystem, "sounds/blip.wav", soundLoop);
    Channel* onceChannel = playSound(s.soundSystem, once, anyFreeChannel);
    Channel* loopChannel = playSound(s.soundSystem, looped, anyFreeChannel);
    ASSERT_NE(onceChannel, nullptr);
    ASSERT_NE(loopChannel, nullptr);
    SDL_Delay(400);
    EXPECT_FALSE(channelPlaying(s.soundSystem, onceChannel));
    EXPECT_TRUE(channelPlaying(s.soundSystem, loopChannel));
}

TEST_F(SoundTest, AfterReleaseNothingPlays)
{
    startBackgroundMusic(s);
    EXPECT_EQ(stderrOf([this] { releaseSound(s); }), "");
    EXPECT_EQ(s.soundSystem, nullptr);
    EXPECT_EQ(s.musicChannel, nullptr);
    EXPECT_EQ(s.jumpSound, nullptr);
    expectEverythingSilent(s);
}

TEST_F(SoundTest, MissingAndUndecodableFilesStaySilentAlone)
{
    releaseSound(s);
    std::remove("sounds/fall.wav");
    writeFile("sounds/musicVictory.mp3", std::vector<unsigned char>(3000, 0x5a));
    startUp();
    ASSERT_NE(s.soundSystem, nullptr);
    EXPECT_EQ(countLines(startupErrors), 2) << startupErrors;
    EXPECT_NE(startupErrors.find("sound sounds/fall.wav stays silent: No such file or directory\n"),
              std::string::npos)
        << startupErrors;
    EXPECT_NE(startupErrors.find("sounds/musicVictory.mp3"), std::string::npos);
    ASSERT_NE(s.fallSound, nullptr);
    EXPECT_EQ(s.fallSound->chunk, nullptr);
    EXPECT_EQ(s.victoryMusic->chunk, nullptr);

    playEffect(s, s.fallSound, &s.effectsChannel);
    EXPECT_EQ(s.effectsChannel, nullptr);
    startVictoryMusic(s);
    EXPECT_TRUE(soundPlayLog().empty());
    playEffect(s, s.saveSound, &s.effectsChannel);
    startBackgroundMusic(s);
    ASSERT_EQ(soundPlayLog().size(), 2u);
    EXPECT_EQ(soundPlayLog()[0].file, "sounds/save.wav");
    EXPECT_EQ(soundPlayLog()[1].file, "sounds/MI2.wav");
}

TEST_F(SoundTest, NoAudioDeviceRunsSilentWithOneLine)
{
    releaseSound(s);
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    startUp();
    EXPECT_EQ(s.soundSystem, nullptr);
    EXPECT_EQ(countLines(startupErrors), 1) << startupErrors;
    EXPECT_NE(startupErrors.find("sound is off"), std::string::npos) << startupErrors;
    expectEverythingSilent(s);
}

TEST_F(SoundTest, SoundCardProbeChatterIsHidden)
{
    // Through the real ALSA back end: on a machine without a sound card the
    // ALSA library would print a screenful of its own errors.
    releaseSound(s);
    setenv("SDL_AUDIODRIVER", "alsa", 1);
    startUp();
    if (s.soundSystem) GTEST_SKIP() << "this machine has a working sound card";
    EXPECT_EQ(countLines(startupErrors), 1) << startupErrors;
    EXPECT_EQ(startupErrors.rfind("skycourse: sound is off: ", 0), 0u) << startupErrors;
}

}  // namespace
