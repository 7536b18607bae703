// The input script: what it reads, and that its commands reach the program as
// ordinary window input (key listeners, the pointer) at the frames named.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

#include "CInputScript.h"
#include "HeadlessScene.h"
#include "CInputManager.h"
#include "CMouse.h"
#include "CObjQueue.h"
#include "CResourceManager.h"
#include "TestFiles.h"

namespace {

TEST(InputScript, ReadsEveryCommandInFrameOrderAndRejectsBadLines)
{
    struct Case {
        const char* line;
        int commands;   // commands made; -1: the line is refused
    };
    const Case cases[] = {
        { "", 0 },
        { "   # only a comment", 0 },
        { "3 key Escape  # down and up", 2 },
        { "3 down Return", 1 },
        { "3 up Left", 1 },
        { "4 type Anna 2", 1 },
        { "5 move 0.25 0.75", 1 },
        { "5 press left", 1 },
        { "5 release right 0.5 0.5", 2 },
        { "6 click left 1 0", 3 },
        { "7 drag right 0.5 0.5 0.7 0.5 4", 7 },   // move, press, 4 moves, release
        { "8 snapshot shot.png", 1 },
        { "0 key Escape", -1 },
        { "99999999999 key Escape", -1 },   // beyond the frame range
        { "x key Escape", -1 },
        { "3 key", -1 },
        { "3 key A B", -1 },
        { "3 key NoSuchKey", -1 },
        { "3 down Escape2", -1 },
        { "3 jump", -1 },
        { "3 move 1.5 0.5", -1 },
        { "3 move 0.5", -1 },
        { "3 click middle 0.5 0.5", -1 },
        { "3 drag right 0.5 0.5 0.7 0.5 0", -1 },
        { "3 drag right 0.5 0.5 0.7 0.5 2000000000", -1 },
        { "3 type a-b", -1 },
        { "3 snapshot", -1 },
    };
    for (const Case& c : cases) {
        CInputScript script;
        bool ok = script.Parse(c.line);
        EXPECT_EQ(c.commands >= 0, ok) << c.line;
        EXPECT_EQ(c.commands >= 0 ? c.commands : 0, (int)script.GetCommands().size()) << c.line;
        if (!ok) {
            ASSERT_EQ(1u, script.GetErrors().size()) << c.line;
            EXPECT_EQ(0u, script.GetErrors()[0].find("line 1: ")) << script.GetErrors()[0];
        }
    }

    // Commands run by frame, and in line order within a frame.
    CInputScript script;
    EXPECT_TRUE(script.Parse("9 key Return\n2 move 0.1 0.2\n2 press left\n"));
    const std::vector<CInputScript::Command>& commands = script.GetCommands();
    ASSERT_EQ(4u, commands.size());
    EXPECT_EQ(CInputScript::MOVE, commands[0].kind);
    EXPECT_EQ(CInputScript::BUTTON_DOWN, commands[1].kind);
    EXPECT_EQ(CInputScript::KEY_DOWN, commands[2].kind);
    EXPECT_EQ(9, script.GetLastFrame());
    EXPECT_FALSE(script.Load("/nonexistent/zarul-input.txt"));

    // An unknown key is refused when the script is read, with its line.
    CInputScript unknown;
    EXPECT_FALSE(unknown.Parse("1 key A\n\n3 key NoSuchKey\n4 key Return\n"));
    EXPECT_EQ(unknown.GetErrors(), std::vector<std::string>({ "line 3: unknown key NoSuchKey" }));
    EXPECT_EQ(unknown.GetCommands().size(), 4u);
}

// Records what the program sees of the input: key events with the frame they
// arrived in, and the pointer's events.
class InputRecorder : public HeadlessScene, public IKeyListener, public IMouseListener, public IMouseMotionListener {
public:
    InputRecorder() : HeadlessScene("input", 200, 100, 0) {}

    HRESULT InitDeviceObjects() override
    {
        mouse = new CMouse(device, D3DXVECTOR3(0, 0, 0));
        CResourceManager::GetObjectQueue()->AddObject(mouse, 4, 0);
        mouse->AddMouseEventListener(this);
        mouse->AddMouseMotionEventListener(this);
        CResourceManager::GetInputManager()->CreateDevice(CInputManager::DEVICE_KEYBOARD);
        CResourceManager::GetInputManager()->AddKeyListener(this);
        return S_OK;
    }
    HRESULT DeleteDeviceObjects() override
    {
        CResourceManager::GetInputManager()->RemoveKeyListener(this);
        if (CMouse::IsLive(mouse)) {
            mouse->RemoveMouseEventListener(this);
            mouse->RemoveMouseMotionEventListener(this);
        }
        return CD3DApplication::DeleteDeviceObjects();
    }

    void keyPressed(CKeyEvent event) override
    {
        keys.push_back(Entry{ GetFrameCount() + 1, (int)event.GetKeyCode(), event.GetCharacter(), 1 });
    }
    void keyReleased(CKeyEvent event) override
    {
        keys.push_back(Entry{ GetFrameCount() + 1, (int)event.GetKeyCode(), 0, 0 });
    }
    void MouseClicked(CMouseEvent event) override { Record(event, 'c'); }
    void MouseEntered(CMouseEvent) override {}
    void MouseExited(CMouseEvent) override {}
    void MousePressed(CMouseEvent event) override { Record(event, 'p'); }
    void MouseReleased(CMouseEvent event) override { Record(event, 'r'); }
    void MouseMoved(CMouseEvent event) override { Record(event, 'm'); }
    void MouseDragged(CMouseEvent event) override { Record(event, (char)('0' + event.GetKind())); }

    struct Entry {
        int frame, code, character, down;
    };
    struct Pointer {
        int frame;
        char what;
        float x, y;
    };
    void Record(const CMouseEvent& event, char what)
    {
        pointer.push_back(Pointer{ GetFrameCount() + 1, what, event.GetX(), event.GetY() });
    }
    std::vector<Entry> keys;
    std::vector<Pointer> pointer;
};

TEST(InputScript, ReachesKeyListenersAndThePointerAtItsFrames)
{
    std::string path = BuildPath("input_script_" + std::to_string(getpid()) + ".txt");
    ASSERT_TRUE(WriteText(path, "2 key Escape\n"
                                "3 type a1\n"
                                "4 down Right\n"
                                "5 up Right\n"
                                "6 move 0.25 0.5\n"
                                "7 click left 0.5 0.25\n"
                                "8 drag right 0.5 0.5 0.9 0.5 2\n"));
    InputRecorder app;
    ASSERT_TRUE(app.LoadInputScript(path.c_str()));
    app.SetHeadlessRun(12, 1.0f / 30.0f);
    ASSERT_GE(app.Create(nullptr), 0);
    app.Run();
    remove(path.c_str());

    // Escape, then a and 1 typed (each with its character), then Right held a frame.
    struct Key {
        int frame, code, character, down;
    };
    const Key expected[] = {
        { 2, DIK_ESCAPE, 27, 1 }, { 2, DIK_ESCAPE, 0, 0 }, { 3, DIK_A, 'a', 1 }, { 3, DIK_A, 0, 0 },
        { 3, DIK_1, '1', 1 },     { 3, DIK_1, 0, 0 },      { 4, DIK_RIGHT, 0, 1 }, { 5, DIK_RIGHT, 0, 0 },
    };
    ASSERT_EQ(sizeof(expected) / sizeof(expected[0]), app.keys.size());
    for (size_t i = 0; i < app.keys.size(); i++) {
        EXPECT_EQ(expected[i].frame, app.keys[i].frame) << i;
        EXPECT_EQ(expected[i].code, app.keys[i].code) << i;
        EXPECT_EQ(expected[i].character, app.keys[i].character) << i;
        EXPECT_EQ(expected[i].down, app.keys[i].down) << i;
    }

    // The pointer: a move, a click where the script put it, a right drag to the right.
    std::string kinds;
    for (const InputRecorder::Pointer& p : app.pointer)
        kinds += p.what;
    EXPECT_NE(std::string::npos, kinds.find("mm")) << kinds;   // to 0.25 0.5, then 0.5 0.25
    EXPECT_NE(std::string::npos, kinds.find("pcr")) << kinds;   // press, click, release
    EXPECT_NE(std::string::npos, kinds.find("22")) << kinds;   // two right-button drags
    bool firstClick = true;
    for (const InputRecorder::Pointer& p : app.pointer) {
        if (p.what == 'c' && firstClick) {
            firstClick = false;
            EXPECT_EQ(7, p.frame);
            EXPECT_NEAR(0.5f, p.x, 0.01f);
            EXPECT_NEAR(0.25f, p.y, 0.01f);
        }
        if (p.what == '2') {
            EXPECT_GE(p.frame, 9);
            EXPECT_NEAR(0.5f, p.y, 0.01f);
        }
    }
    EXPECT_NEAR(0.9f, app.pointer.back().x, 0.01f);
}

} // namespace
