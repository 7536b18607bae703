// The eleven sounds built into the program: registered by name as "WAVE" resources,
// valid PCM WAVE data, short effects, a 20-40 s menu loop that joins without a click,
// and playable through the engine's sound device.
#include "GameResources.h"
#include "MediaTestSupport.h"

#include "CSoundDev.h"

#include <cstdlib>
#include <cstring>
#include <windows.h>

#include <gtest/gtest.h>

namespace {

const char* const kSoundNames[] = {
    "GAME_CRISTAL", "GAME_EXPLO", "GAME_FINISH", "GAME_LOADED", "GAME_MOVE", "GAME_PLACE",
    "GAME_POP", "MENU_BACKGROUND", "MENU_CLICK", "MENU_MOUSEOVER", "MENU_ROTATE",
};

struct Wave {
    int channels = 0, rate = 0, bits = 0;
    std::vector<short> samples;
};

// Reads a RIFF WAVE held in memory; fails the test when it is not plain 16-bit PCM.
Wave ReadWave(const unsigned char* data, size_t size, const char* name)
{
    Wave w;
    EXPECT_GE(size, 44u) << name;
    if (size < 44)
        return w;
    EXPECT_EQ(0, memcmp(data, "RIFF", 4)) << name;
    EXPECT_EQ(0, memcmp(data + 8, "WAVE", 4)) << name;
    EXPECT_EQ(size - 8, ReadLe32(data + 4)) << name;
    size_t at = 12;
    while (at + 8 <= size) {
        const uint32_t chunk = ReadLe32(data + at + 4);
        if (at + 8 + chunk > size) {
            ADD_FAILURE() << name << ": chunk runs past the end";
            break;
        }
        if (memcmp(data + at, "fmt ", 4) == 0) {
            EXPECT_EQ(1u, ReadLe16(data + at + 8)) << name << " is not PCM";
            w.channels = ReadLe16(data + at + 10);
            w.rate = ReadLe32(data + at + 12);
            w.bits = ReadLe16(data + at + 22);
        } else if (memcmp(data + at, "data", 4) == 0) {
            w.samples.resize(chunk / 2);
            memcpy(w.samples.data(), data + at + 8, chunk / 2 * 2);
        }
        at += 8 + chunk + (chunk & 1);
    }
    EXPECT_EQ(16, w.bits) << name;
    EXPECT_GE(w.channels, 1) << name;
    return w;
}

Wave FindWave(const char* name)
{
    HRSRC found = FindResourceA(nullptr, name, "WAVE");
    EXPECT_NE(nullptr, found) << name << " is not registered";
    if (!found)
        return Wave();
    const void* data = LockResource(LoadResource(nullptr, found));
    const DWORD size = SizeofResource(nullptr, found);
    return ReadWave(static_cast<const unsigned char*>(data), size, name);
}

double Seconds(const Wave& w)
{
    return w.samples.size() / (double)(w.channels * w.rate);
}

class MediaSounds : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // SDL's dummy driver opens everywhere, with or without sound hardware
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        RegisterGameResources();
    }
};

TEST_F(MediaSounds, EffectsAreShortAudibleAndUnclipped)
{
    for (const char* name : kSoundNames) {
        if (strcmp(name, "MENU_BACKGROUND") == 0)
            continue;
        const Wave w = FindWave(name);
        ASSERT_FALSE(w.samples.empty()) << name;
        EXPECT_GT(Seconds(w), 0.02) << name;
        EXPECT_LT(Seconds(w), 3.0) << name;
        int peak = 0;
        for (short s : w.samples)
            peak = std::max(peak, std::abs((int)s));
        EXPECT_GT(peak, 3000) << name << " is nearly silent";
        EXPECT_LT(peak, 32767) << name << " clips";
        // an effect ends in silence, so stopping it makes no click
        EXPECT_LT(std::abs((int)w.samples.back()), 200) << name;
    }
}

TEST_F(MediaSounds, MenuMusicLoopsWithoutAClick)
{
    const Wave w = FindWave("MENU_BACKGROUND");
    ASSERT_FALSE(w.samples.empty());
    EXPECT_GE(Seconds(w), 20.0);
    EXPECT_LE(Seconds(w), 40.0);
    ASSERT_EQ(1, w.channels);

    // the jump from the last sample back to the first is no bigger than the steps the
    // music makes anyway
    std::vector<int> steps;
    for (size_t i = 1; i < w.samples.size(); i++)
        steps.push_back(std::abs(w.samples[i] - w.samples[i - 1]));
    std::sort(steps.begin(), steps.end());
    const int typicalLargeStep = steps[steps.size() * 99 / 100];
    EXPECT_LE(std::abs(w.samples.front() - w.samples.back()), typicalLargeStep);
    // and it does not start or end in a pause
    int loudStart = 0;
    for (size_t i = 0; i < (size_t)w.rate / 2; i++)
        loudStart = std::max(loudStart, std::abs((int)w.samples[i]));
    EXPECT_GT(loudStart, 1000);
}

TEST_F(MediaSounds, TheSoundDevicePlaysEveryOne)
{
    CSoundDev device;
    for (const char* name : kSoundNames) {
        const int index = device.LoadSound(name, nullptr);
        ASSERT_GE(index, 0) << name;
        EXPECT_EQ(index, device.LoadSound(name, nullptr)) << name << " loaded twice";
    }
    if (!device.IsOpen())
        GTEST_SKIP() << "no audio device";
    // a sound that cannot be decoded never starts, so its state flag stays 0
    for (const char* name : kSoundNames) {
        const int index = device.LoadSound(name, nullptr);
        device.PlayIndex(index, 0, -1.0f, 1);
        EXPECT_EQ(1, device.GetSoundState(index)) << name << " does not play";
        device.PlayIndex(index, 0, -1.0f, 0);
    }
}

} // namespace
