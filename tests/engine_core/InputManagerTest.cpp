#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "CInputManager.h"

namespace {

struct KeyRecord {
    bool pressed;
    DWORD code;
    int character;
};

class RecordingKeyListener : public IKeyListener {
public:
    void keyPressed(CKeyEvent event) override
    {
        keys.push_back({ true, event.GetKeyCode(), event.GetCharacter() });
        if (onPress)
            onPress(event);
    }
    void keyReleased(CKeyEvent event) override { keys.push_back({ false, event.GetKeyCode(), 0 }); }

    std::vector<KeyRecord> keys;
    std::function<void(CKeyEvent)> onPress;
};

// lParam of a key message: the scan code in bits 16-23, the extended flag in bit 24.
LPARAM KeyLParam(int scan, bool extended)
{
    return (LPARAM)((scan & 0xFF) << 16) | (extended ? (1 << 24) : 0) | 1;
}

}

class EngineCoreInput : public ::testing::Test {
protected:
    void SetUp() override { input.CreateDevice(0x13); }

    void Press(WPARAM vk, int scan, bool extended = false)
    {
        input.HandleMessage(WM_KEYDOWN, vk, KeyLParam(scan, extended));
    }
    void Release(WPARAM vk, int scan, bool extended = false)
    {
        input.HandleMessage(WM_KEYUP, vk, KeyLParam(scan, extended));
    }

    CInputManager input;
};

TEST_F(EngineCoreInput, KeyMessagesBecomeDirectInputScanCodes)
{
    // The scan code in lParam wins; a message without one falls back to the virtual key.
    struct { WPARAM vk; int scan; bool extended; DWORD code; } keys[] = {
        { VK_ESCAPE, 0x01, false, DIK_ESCAPE }, { VK_RETURN, 0x1C, false, DIK_RETURN },
        { VK_SPACE, 0x39, false, DIK_SPACE },   { VK_LEFT, 0x4B, true, DIK_LEFT },
        { VK_RIGHT, 0x4D, true, DIK_RIGHT },    { VK_ESCAPE, 0, false, DIK_ESCAPE },
        { VK_RETURN, 0, false, DIK_RETURN },    { VK_LEFT, 0, false, DIK_LEFT },
        { 'A', 0, false, DIK_A },               { 'Q', 0, false, DIK_Q },
        { 'Z', 0, false, DIK_Z },               { '1', 0, false, DIK_1 },
        { '0', 0, false, DIK_0 },               { VK_BACK, 0, false, DIK_BACK },
        { '9', 0, false, DIK_9 },
    };
    RecordingKeyListener listener;
    input.AddKeyListener(&listener);
    for (const auto& key : keys)
        input.HandleMessage(WM_KEYDOWN, key.vk, key.scan ? KeyLParam(key.scan, key.extended) : 0);
    Release(VK_RIGHT, 0x4D, true);
    input.Flush();
    const size_t count = sizeof(keys) / sizeof(keys[0]);
    ASSERT_EQ(count + 1, listener.keys.size());
    for (size_t i = 0; i < count; i++)
        EXPECT_EQ(keys[i].code, listener.keys[i].code) << "key " << i;
    EXPECT_FALSE(listener.keys[count].pressed);
    EXPECT_EQ((DWORD)DIK_RIGHT, listener.keys[count].code);
}

TEST_F(EngineCoreInput, TypedCharacterTravelsWithItsKeyPress)
{
    RecordingKeyListener listener;
    input.AddKeyListener(&listener);
    Press('A', DIK_A);
    input.HandleMessage(WM_CHAR, 'a', KeyLParam(DIK_A, false));
    Press(VK_OEM_7, DIK_APOSTROPHE);
    input.HandleMessage(WM_CHAR, 0xE4, KeyLParam(DIK_APOSTROPHE, false));  // ä in Latin-1
    Press(VK_LEFT, 0x4B, true);   // no character follows
    Press(VK_BACK, DIK_BACK);
    input.Flush();
    ASSERT_EQ(4u, listener.keys.size());
    EXPECT_EQ((DWORD)DIK_A, listener.keys[0].code);
    EXPECT_EQ('a', listener.keys[0].character);
    EXPECT_EQ((DWORD)DIK_APOSTROPHE, listener.keys[1].code);
    EXPECT_EQ(0xE4, listener.keys[1].character);
    EXPECT_EQ(0, listener.keys[2].character);
    EXPECT_EQ((DWORD)DIK_BACK, listener.keys[3].code);
}

TEST_F(EngineCoreInput, NoKeysBeforeTheKeyboardDeviceIsMade)
{
    CInputManager fresh;
    RecordingKeyListener listener;
    fresh.AddKeyListener(&listener);
    fresh.HandleMessage(WM_KEYDOWN, VK_SPACE, KeyLParam(DIK_SPACE, false));
    fresh.Flush();
    EXPECT_TRUE(listener.keys.empty());
}

TEST_F(EngineCoreInput, ExclusiveListenerTakesEveryKeyUntilCleared)
{
    RecordingKeyListener game, credits;
    input.AddKeyListener(&game);
    input.AddKeyListener(&credits);
    input.SetExclusivListener(&credits);
    Press(VK_ESCAPE, DIK_ESCAPE);
    Release(VK_ESCAPE, DIK_ESCAPE);
    input.Flush();
    EXPECT_TRUE(game.keys.empty());
    EXPECT_EQ(2u, credits.keys.size());

    input.SetExclusivListener(nullptr);
    Press(VK_SPACE, DIK_SPACE);
    input.Flush();
    EXPECT_EQ(1u, game.keys.size());
    EXPECT_EQ(3u, credits.keys.size());

    // Removing the exclusive listener clears it too.
    RecordingKeyListener gone;
    input.SetExclusivListener(&gone);
    input.RemoveKeyListener(&gone);
    Press(VK_SPACE, DIK_SPACE);
    input.Flush();
    EXPECT_EQ(2u, game.keys.size());
    EXPECT_TRUE(gone.keys.empty());
}

TEST_F(EngineCoreInput, ListenerAddedDuringDispatchMissesThatKey)
{
    // Escape opens a submenu that registers for keys: it must not see this Escape.
    RecordingKeyListener submenu;
    RecordingKeyListener game;
    game.onPress = [&](CKeyEvent) { input.AddKeyListener(&submenu); };
    input.AddKeyListener(&game);
    Press(VK_ESCAPE, DIK_ESCAPE);
    input.Flush();
    EXPECT_EQ(1u, game.keys.size());
    EXPECT_TRUE(submenu.keys.empty());
    Press(VK_RETURN, DIK_RETURN);
    input.Flush();
    EXPECT_EQ(1u, submenu.keys.size());
}

TEST_F(EngineCoreInput, ListenerRemovedDuringDispatchIsSkippedAndDuplicatesAreKept)
{
    RecordingKeyListener closing;
    RecordingKeyListener first;
    first.onPress = [&](CKeyEvent) { input.RemoveKeyListener(&closing); };
    input.AddKeyListener(&first);
    input.AddKeyListener(&first);
    input.AddKeyListener(&closing);
    input.AddKeyListener(nullptr);
    Press(VK_ESCAPE, DIK_ESCAPE);
    input.Flush();
    EXPECT_EQ(2u, first.keys.size());
    EXPECT_TRUE(closing.keys.empty());
}
