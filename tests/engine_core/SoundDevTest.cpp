#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include <SDL_mixer.h>

#include "CSoundDev.h"

namespace {

// A short mono 8-bit WAVE of silence, registered as a program resource.
std::vector<unsigned char> MakeWave(int samples)
{
    std::vector<unsigned char> wave(44 + samples, 0x80);
    auto put32 = [&](int at, unsigned v) { for (int i = 0; i < 4; i++) wave[at + i] = (unsigned char)(v >> (8 * i)); };
    auto put16 = [&](int at, unsigned v) { wave[at] = (unsigned char)v; wave[at + 1] = (unsigned char)(v >> 8); };
    memcpy(&wave[0], "RIFF", 4);
    put32(4, 36 + samples);
    memcpy(&wave[8], "WAVEfmt ", 8);
    put32(16, 16);
    put16(20, 1);
    put16(22, 1);
    put32(24, 22050);
    put32(28, 22050);
    put16(32, 1);
    put16(34, 8);
    memcpy(&wave[36], "data", 4);
    put32(40, samples);
    return wave;
}

std::vector<unsigned char>& TestWave()
{
    static std::vector<unsigned char> wave = MakeWave(2205);
    return wave;
}

}

class EngineCoreSound : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        RegisterResourceA("TEST_CLICK", "WAVE", TestWave().data(), (DWORD)TestWave().size());
        RegisterResourceA("TEST_MUSIC", "WAVE", TestWave().data(), (DWORD)TestWave().size());
    }

    CSoundDev sound;
};

TEST_F(EngineCoreSound, LoadingAgainGivesTheCachedIndex)
{
    int click = sound.LoadSound("TEST_CLICK", nullptr);
    int music = sound.LoadSound("TEST_MUSIC", nullptr);
    EXPECT_GE(click, 0);
    EXPECT_NE(click, music);
    EXPECT_EQ(click, sound.LoadSound("TEST_CLICK", nullptr));
    EXPECT_EQ(2, sound.GetSoundCount());
}

TEST_F(EngineCoreSound, MissingSoundStillHasAUsableIndexAndFlag)
{
    int missing = sound.LoadSound("NO_SUCH_SOUND", nullptr);
    ASSERT_GE(missing, 0);
    sound.PlayIndex(missing, 1, -1.0f, 1);
    sound.PlayIndex(missing, 0, -1.0f, 0);
    EXPECT_EQ(0, sound.GetSoundState(missing));
    EXPECT_EQ(0, sound.GetSoundState(-1));
    sound.PlayIndex(-1, 0, -1.0f, 1);   // ignored
    sound.PlayIndex(99, 0, -1.0f, 1);
}

TEST_F(EngineCoreSound, MusicPlaysOnceAndTheSoundSwitchSilencesOnlyEffects)
{
    int click = sound.LoadSound("TEST_CLICK", nullptr);
    int music = sound.LoadSound("TEST_MUSIC", nullptr);
    sound.PlayIndex(music, 1, -1.0f, 1);
    EXPECT_EQ(1, sound.soundState[music]);
    sound.PlayIndex(music, 1, -1.0f, 1);   // already playing: stays on, once
    EXPECT_EQ(1, sound.soundState[music]);
    sound.PlayIndex(music, 1, -1.0f, 0);
    EXPECT_EQ(0, sound.soundState[music]);

    sound.soundSwitch = 0;
    sound.PlayIndex(click, 0, -1.0f, 1);
    EXPECT_EQ(0, sound.soundState[click]);
    sound.PlayIndex(music, 1, -1.0f, 1);
    EXPECT_EQ(1, sound.soundState[music]);
    sound.StopAll();
    EXPECT_EQ(0, sound.soundState[music]);
}

// With an audio device the mixer shows what really plays: the options' music box
// stops the music itself, not only its flag, and playing the music while it runs
// keeps the one copy.
TEST_F(EngineCoreSound, StoppedMusicFallsSilentAndRunningMusicIsNotStartedAgain)
{
    int music = sound.LoadSound("TEST_MUSIC", nullptr);
    if (!sound.IsOpen())
        GTEST_SKIP() << "no audio device";
    sound.PlayIndex(music, 1, -1.0f, 1);
    sound.PlayIndex(music, 1, -1.0f, 1);
    EXPECT_EQ(1, Mix_PlayingMusic() + Mix_Playing(-1));
    sound.PlayIndex(music, 1, -1.0f, 0);
    EXPECT_EQ(0, Mix_PlayingMusic() + Mix_Playing(-1));
}
