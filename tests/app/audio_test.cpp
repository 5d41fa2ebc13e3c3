// What the player hears of each event: the sound, and the channel slot that
// remembers it.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <string>

#include <SDL_mixer.h>

#include "app/front/audio.h"
#include "assets/media_manifest.h"
#include "assets/sound_layer.h"
#include "tests/sim/sim_fixture.h"
#include "tests/support/media_files.h"
#include "tests/support/play_log.h"

namespace {

class AudioTest : public ::testing::Test {
protected:
    ScratchDir dir;
    GameSounds s;

    void SetUp() override
    {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        mkdir("sounds", 0755);
        for (const char* file : soundFiles) writeFile(std::string("sounds/") + file, makeWav(0.5, 440.0));
        initSound(s);
        ASSERT_NE(s.soundSystem, nullptr);
        clearSoundPlayLog();
    }
    void TearDown() override
    {
        releaseSound(s);
        clearSoundPlayLog();
    }
};

TEST_F(AudioTest, EachEventPlaysItsSoundOnItsSlot)
{
    struct Case {
        GameEvent event;
        const char* file;          // nullptr: nothing is heard
        Channel* GameSounds::*slot;
    };
    const Case cases[] = {
        {{EventKind::Jump}, "sounds/jump.wav", &GameSounds::jumpChannel},
        {{EventKind::Landing, Material::Metal, 3.0f}, "sounds/hitMetal.wav", &GameSounds::effectsChannel},
        {{EventKind::Landing, Material::Wood, 3.0f}, "sounds/hitWood.wav", &GameSounds::effectsChannel},
        {{EventKind::Landing, Material::Glass, 3.0f}, nullptr, nullptr},
        {{EventKind::Landing, Material::None, 3.0f}, nullptr, nullptr},
        {{EventKind::Fall}, "sounds/fall.wav", &GameSounds::effectsChannel},
        {{EventKind::Shrink}, "sounds/shrink.wav", &GameSounds::effectsChannel},
        {{EventKind::Grow}, "sounds/grow.wav", &GameSounds::effectsChannel},
        {{EventKind::CheckpointSaved}, "sounds/save.wav", &GameSounds::effectsChannel},
        {{EventKind::GoalReached}, "sounds/musicVictory.mp3", &GameSounds::musicChannel},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file ? c.file : "silent");
        clearSoundPlayLog();
        playEvents(s, {c.event});
        if (c.file == nullptr) {
            EXPECT_TRUE(soundPlayLog().empty());
            continue;
        }
        ASSERT_EQ(soundPlayLog().size(), 1u);
        EXPECT_EQ(soundPlayLog()[0].file, c.file);
        ASSERT_NE(s.*c.slot, nullptr);
        EXPECT_EQ((s.*c.slot)->index, soundPlayLog()[0].channel);
        Mix_HaltChannel(-1);
    }
}

TEST_F(AudioTest, ATickOfEventsPlaysInOrderOnSeparateChannels)
{
    playEvents(s, {{EventKind::Landing, Material::Metal, 20.0f}, {EventKind::Jump}, {EventKind::CheckpointSaved}});
    ASSERT_EQ(soundPlayLog().size(), 3u);
    EXPECT_EQ(soundPlayLog()[0].file, "sounds/hitMetal.wav");
    EXPECT_EQ(soundPlayLog()[1].file, "sounds/jump.wav");
    EXPECT_EQ(soundPlayLog()[2].file, "sounds/save.wav");
    EXPECT_NE(soundPlayLog()[0].channel, soundPlayLog()[2].channel);
}

TEST_F(AudioTest, LandingsRingAsLoudAsTheBallComesDown)
{
    // A jump on a metal floor, played by the simulation until the ball has
    // settled: the landing rings at full volume, every bounce after it more
    // softly than the one before.
    Game game = emptyGame();
    addFloor(game, 0.5f, Material::Metal);
    Controls jump;
    jump.jumpHeld = true;
    advanceTick(game, jump);
    GameEvents landings;
    for (int tick = 0; tick < 400; ++tick) {
        advanceTick(game, Controls{});
        for (const GameEvent& event : game.events) {
            if (event.kind == EventKind::Landing) landings.push_back(event);
        }
    }
    ASSERT_GE(landings.size(), 3u);
    std::vector<float> volumes;
    for (const GameEvent& landing : landings) {
        clearSoundPlayLog();
        playEvents(s, {landing});
        ASSERT_EQ(soundPlayLog().size(), 1u);
        volumes.push_back(soundPlayLog()[0].volume);
        Mix_HaltChannel(-1);
    }
    EXPECT_EQ(volumes[0], 1.0f);
    for (size_t i = 1; i < volumes.size(); ++i) {
        EXPECT_LT(volumes[i], volumes[i - 1] * 0.75f) << "bounce " << i << " at speed " << landings[i].speed;
        EXPECT_GT(volumes[i], 0.0f) << "bounce " << i;
    }

    // The softened channel gives the next sound its full volume again.
    clearSoundPlayLog();
    playEvents(s, {{EventKind::Jump}});
    ASSERT_EQ(soundPlayLog().size(), 1u);
    EXPECT_EQ(soundPlayLog()[0].volume, 1.0f);
}

}  // namespace

namespace {

TEST_F(AudioTest, MusicAndEffectsEachHaveTheirOwnVolumeUnderThePlayers)
{
    const float step = 1.0f / 128;  // the mixer's steps
    setSoundVolume(s, 0.8f);
    startBackgroundMusic(s);
    EXPECT_NEAR(channelVolume(s.soundSystem, s.musicChannel), 0.35f, step) << "as always, with the menu untouched";
    setMusicVolume(s, 0.5f);
    EXPECT_NEAR(channelVolume(s.soundSystem, s.musicChannel), 0.175f, step) << "the track playing turns down at once";
    softenMusic(s, true);
    EXPECT_NEAR(channelVolume(s.soundSystem, s.musicChannel), 0.05f, step) << "softer paused, as before";

    setEffectsVolume(s, 0.5f);
    clearSoundPlayLog();
    playEvents(s, {{EventKind::Jump}, {EventKind::Landing, Material::Wood, 10.0f}, {EventKind::GoalReached}});
    ASSERT_EQ(soundPlayLog().size(), 3u);
    EXPECT_NEAR(soundPlayLog()[0].volume, 0.5f, step);
    EXPECT_NEAR(soundPlayLog()[1].volume, 0.25f, step) << "half as loud a landing, at half the effects' volume";
    EXPECT_NEAR(soundPlayLog()[2].volume, 0.5f, step) << "the victory music is music";
    EXPECT_NEAR(masterVolume(s.soundSystem), 0.8f, step) << "the player's volume stays over both";
}

}  // namespace
