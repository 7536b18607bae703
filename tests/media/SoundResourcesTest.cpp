// The eleven sounds built into the program: registered by name as "WAVE" resources
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

class MediaSounds : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // SDL's dummy driver opens everywhere, with or without sound hardware
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        RegisterGameResources();
    }
};

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
