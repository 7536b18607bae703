#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include <unistd.h>

#include "TestObjects.h"
#include "HeadlessScene.h"
#include "CColorFadeModifier.h"
#include "CInputManager.h"
#include "CMouse.h"
#include "CObjQueue.h"
#include "CResourceManager.h"
#include "CTimer.h"
#include "C3DWindow.h"
#include "C3DXObject.h"
#include "Image.h"
#include "TestFiles.h"

namespace {

// Names of this process's own media files, so parallel test runs never share one.
std::string OwnName(const char* what)
{
    return "core_test_" + std::to_string((long)getpid()) + "_" + what;
}

std::string OwnMedia(const char* what)
{
    return ".//media//" + OwnName(what);
}

// A 16 x 16 picture: a red and yellow checker, or one plain colour.
void WritePicture(const std::string& path, bool checker, uint32_t colour)
{
    std::vector<uint32_t> pixels(16 * 16);
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 16; x++)
            pixels[y * 16 + x] = checker && (((x / 4) + (y / 4)) & 1) ? 0xFFFFFF00 : colour;
    ASSERT_TRUE(WritePng(path, 16, 16, pixels));
}

// A cube of side 2 in the text mesh format, textured with the checker.
void WriteCube(const std::string& path, const std::string& textureName)
{
    ASSERT_TRUE(WriteText(path, "xof 0302txt 0032\n"
          "Mesh cube {\n"
          " 8;\n"
          " -1.0;-1.0;-1.0;, 1.0;-1.0;-1.0;, 1.0;1.0;-1.0;, -1.0;1.0;-1.0;,\n"
          " -1.0;-1.0;1.0;, 1.0;-1.0;1.0;, 1.0;1.0;1.0;, -1.0;1.0;1.0;;\n"
          " 12;\n"
          " 3;0,2,1;, 3;0,3,2;, 3;4,5,6;, 3;4,6,7;, 3;0,1,5;, 3;0,5,4;,\n"
          " 3;3,7,6;, 3;3,6,2;, 3;0,4,7;, 3;0,7,3;, 3;1,2,6;, 3;1,6,5;;\n"
          " MeshTextureCoords {\n"
          "  8;\n"
          "  0.0;1.0;, 1.0;1.0;, 1.0;0.0;, 0.0;0.0;, 1.0;1.0;, 0.0;1.0;, 0.0;0.0;, 1.0;0.0;;\n"
          " }\n"
          " MeshMaterialList {\n"
          "  1;\n"
          "  12;\n"
          "  0,0,0,0,0,0,0,0,0,0,0,0;\n"
          "  Material {\n"
          "   1.0;1.0;1.0;1.0;;\n"
          "   0.0;\n"
          "   0.0;0.0;0.0;;\n"
          "   0.0;0.0;0.0;;\n"
          "   TextureFilename { \"" + textureName + "\"; }\n"
          "  }\n"
          " }\n"
          "}\n"));
}

// A small application that builds a scene and records the frame's calls.
class SceneApp : public HeadlessScene {
public:
    SceneApp() : HeadlessScene("core test", 320, 240, 0xFF203040) {}

    HRESULT ConfirmDevice(D3DCAPS8*, DWORD, D3DFORMAT) override { calls.push_back("ConfirmDevice"); return S_OK; }
    HRESULT OneTimeSceneInit() override { calls.push_back("OneTimeSceneInit"); return S_OK; }

    HRESULT InitDeviceObjects() override
    {
        calls.push_back("InitDeviceObjects");
        CObjQueue* queue = CResourceManager::GetObjectQueue();
        mouse = new CMouse(device, D3DXVECTOR3(0.0f, 0.0f, 0.0f));
        mouse->SetMouseTexture(OwnMedia("cursor.png").c_str());
        mouse->moveThreshold = 1.0f / 1000.0f;
        queue->AddObject(mouse, 4, 0);

        cube = new C3DXObject(device, OwnMedia("cube.x").c_str(), D3DXVECTOR3(0.0f, 0.0f, 0.0f),
                              D3DXVECTOR3(0.0f, 0.0f, 0.0f), D3DXVECTOR3(0.0f, 0.0f, 0.0f));
        spin.onApply = [this](CModEvent event) { cube->yaw += event.GetSeconds(); };
        cube->AddModifier(&spin);
        queue->AddObject(cube, 2, 0);

        CTimer* timer = new CTimer(0.5f, 1);
        timer->AddChangeListener(&timerListener);
        queue->AddObject(timer, 1, 0);

        fadeWindow = new C3DWindow(device, CRECTVirtual(0.0f, 0.0f, 1.0f, 1.0f));
        fadeWindow->SetColor(D3DXCOLOR(0, 0, 0, 0), D3DXCOLOR(0, 0, 0, 0));
        fade = new CColorFadeModifier(0, 0.4f, D3DXCOLOR(0, 0, 0, 1));
        fade->AddChangeListener(&fadeListener);
        fadeWindow->AddModifier(fade);
        queue->AddObject(fadeWindow, 4, 0);
        return S_OK;
    }

    HRESULT RestoreDeviceObjects() override
    {
        calls.push_back("RestoreDeviceObjects");
        D3DXMATRIX projection, view;
        D3DXMatrixPerspectiveFovLH(&projection, 0.3f * D3DX_PI,
                                   (float)backBufferDesc.Width / (float)backBufferDesc.Height, 1.0f, 100.0f);
        D3DXVECTOR3 eye(0.0f, 2.0f, -6.0f), at(0.0f, 0.0f, 0.0f), up(0.0f, 1.0f, 0.0f);
        D3DXMatrixLookAtLH(&view, &eye, &at, &up);
        device->SetTransform(D3DTS_PROJECTION, &projection);
        device->SetTransform(D3DTS_VIEW, &view);
        device->SetRenderState(D3DRS_LIGHTING, FALSE);
        device->SetRenderState(D3DRS_ZENABLE, TRUE);
        return S_OK;
    }

    HRESULT InvalidateDeviceObjects() override { calls.push_back("InvalidateDeviceObjects"); return S_OK; }
    HRESULT DeleteDeviceObjects() override
    {
        calls.push_back("DeleteDeviceObjects");
        return CD3DApplication::DeleteDeviceObjects();
    }
    HRESULT FinalCleanup() override { calls.push_back("FinalCleanup"); delete fade; fade = nullptr; return S_OK; }

    HRESULT FrameMove(float seconds) override
    {
        frameSeconds.push_back(seconds);
        return CD3DApplication::FrameMove(seconds);
    }

    void RenderAfterScene() override { afterScene++; }

    std::vector<std::string> calls;
    std::vector<float> frameSeconds;
    C3DXObject* cube = nullptr;
    C3DWindow* fadeWindow = nullptr;
    CColorFadeModifier* fade = nullptr;
    CallbackModifier spin;
    RecordingChangeListener timerListener;
    RecordingChangeListener fadeListener;
    int afterScene = 0;
};

}

class EngineCoreFrame : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearObjectQueue();
        std::string media = MediaFolder() + "/";
        WritePicture(media + OwnName("checker.png"), true, 0xFFFF0000);
        WritePicture(media + OwnName("cursor.png"), false, 0xFF00FF00);
        WriteCube(media + OwnName("cube.x"), OwnName("checker.png"));
    }
    void TearDown() override
    {
        ClearObjectQueue();
        std::string media = MediaFolder() + "/";
        remove((media + OwnName("checker.png")).c_str());
        remove((media + OwnName("cursor.png")).c_str());
        remove((media + OwnName("cube.x")).c_str());
    }
};

TEST_F(EngineCoreFrame, HeadlessSceneRunsItsFramesAndWritesAPicture)
{
    std::string png = BuildPath(OwnName("scene.png"));
    remove(png.c_str());
    SceneApp app;
    app.SetHeadlessRun(30, 1.0f / 30.0f);
    app.AddSnapshot(30, png.c_str());
    ASSERT_GE(app.Create(nullptr), 0);
    EXPECT_EQ(320u, app.backBufferDesc.Width);
    EXPECT_EQ(240u, app.backBufferDesc.Height);
    // The pointer over the middle of the window.
    SendMessageA(app.hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(160, 120));
    EXPECT_EQ(0, app.Run());

    std::vector<std::string> order = { "ConfirmDevice", "OneTimeSceneInit", "InitDeviceObjects",
                                       "RestoreDeviceObjects", "InvalidateDeviceObjects", "DeleteDeviceObjects",
                                       "FinalCleanup" };
    EXPECT_EQ(order, app.calls);
    EXPECT_EQ(30, app.GetFrameCount());
    ASSERT_EQ(30u, app.frameSeconds.size());
    EXPECT_FLOAT_EQ(1.0f / 30.0f, app.frameSeconds[0]);
    EXPECT_EQ(30, app.afterScene);
    EXPECT_EQ(1u, app.timerListener.events.size());
    EXPECT_EQ(1u, app.fadeListener.events.size());
    EXPECT_EQ(0, CResourceManager::GetObjectQueue()->GetObjectCount()) << "the scene is gone after Run";

    ASSERT_TRUE(FileExists(png));
    Image image;
    std::string error;
    bool loaded = LoadImageFile(png, image, error);
    remove(png.c_str());
    ASSERT_TRUE(loaded) << error;
    ASSERT_EQ(320, image.width);
    ASSERT_EQ(240, image.height);
    // The cursor (green) sits at the pointer, drawn over everything.
    EXPECT_EQ(0x00FF00u, image.Pixel(165, 125) & 0xFFFFFFu);
    // The cube covers the middle left of the pointer; the corners show the clear colour.
    EXPECT_EQ(0x203040u, image.Pixel(2, 2) & 0xFFFFFFu);
    uint32_t middle = image.Pixel(150, 130) & 0xFFFFFFu;
    EXPECT_NE(0x203040u, middle);
    EXPECT_NE(0x000000u, middle) << "the fade-in has cleared";
}

TEST_F(EngineCoreFrame, PostQuitMessageOrClosingTheWindowEndsRun)
{
    SceneApp app;
    app.SetHeadlessRun(1000, 0.01f);
    ASSERT_GE(app.Create(nullptr), 0);
    app.timerListener.onEvent = [](CChangeEvent) { PostQuitMessage(1); };
    EXPECT_EQ(1, app.Run());
    EXPECT_LT(app.GetFrameCount(), 1000);
    EXPECT_GE(app.GetFrameCount(), 50);

    SceneApp closed;
    closed.SetHeadlessRun(1000, 0.01f);
    ASSERT_GE(closed.Create(nullptr), 0);
    closed.timerListener.onEvent = [&closed](CChangeEvent) { PostMessageA(closed.hWnd, WM_CLOSE, 0, 0); };
    closed.Run();
    EXPECT_LT(closed.GetFrameCount(), 1000);
}

TEST_F(EngineCoreFrame, WindowMessagesReachKeysAndPointer)
{
    SceneApp app;
    app.SetHeadlessRun(2, 0.01f);
    ASSERT_GE(app.Create(nullptr), 0);
    CResourceManager::GetInputManager()->CreateDevice(CInputManager::DEVICE_KEYBOARD);

    struct Keys : IKeyListener {
        void keyPressed(CKeyEvent event) override { codes.push_back(event.GetKeyCode()); }
        void keyReleased(CKeyEvent) override {}
        std::vector<DWORD> codes;
    } keys;
    CResourceManager::GetInputManager()->AddKeyListener(&keys);
    SendMessageA(app.hWnd, WM_KEYDOWN, VK_ESCAPE, (1 << 16) | 1);
    SendMessageA(app.hWnd, WM_KEYUP, VK_ESCAPE, (1 << 16) | 1);
    SendMessageA(app.hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(80, 60));
    EXPECT_EQ(std::vector<DWORD>{ DIK_ESCAPE }, keys.codes);
    EXPECT_FLOAT_EQ(0.25f, app.mouse->GetX());
    EXPECT_FLOAT_EQ(0.25f, app.mouse->GetY());
    CResourceManager::GetInputManager()->RemoveKeyListener(&keys);

    SendMessageA(app.hWnd, WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_EQ(0, app.active);
    app.Run();
}

TEST_F(EngineCoreFrame, RenderEffectsAreLimitedToWhatTheDeviceCanDo)
{
    SceneApp app;
    app.SetHeadlessRun(1, 0.01f);
    ASSERT_GE(app.Create(nullptr), 0);
    EXPECT_TRUE(app.IsRenderEffectCapable(CD3DApplication::R_EFFECT_PARTICLES));
    app.SetRenderEffects(CD3DApplication::R_EFFECT_PARTICLES | 0x80);
    EXPECT_EQ(CD3DApplication::R_EFFECT_PARTICLES, app.renderEffects);
    BYTE all = CD3DApplication::R_EFFECT_ENVMAP | CD3DApplication::R_EFFECT_SHADOW | CD3DApplication::R_EFFECT_PARTICLES;
    app.SetRenderEffects(all);
    EXPECT_EQ(app.IsRenderEffectCapable(CD3DApplication::R_EFFECT_SHADOW) != 0,
              (app.renderEffects & CD3DApplication::R_EFFECT_SHADOW) != 0);
    app.Run();
}

TEST_F(EngineCoreFrame, ChangeModeResizesAtTheNextFrameAndTheChoiceIsKept)
{
    std::string settings = BuildPath(OwnName("display.cfg"));
    remove(settings.c_str());
    SceneApp app;
    app.settingsFile = settings;
    app.SetHeadlessRun(3, 0.01f);
    ASSERT_GE(app.Create(nullptr), 0);

    const D3DAdapterRecord& adapter = app.GetCurrentAdapter();
    ASSERT_FALSE(adapter.devices.empty());
    const D3DDeviceRecord& dev = adapter.devices[adapter.dwCurrentDevice];
    ASSERT_GE(dev.modes.size(), 2u);
    EXPECT_EQ(0u, dev.dwCurrentMode);
    EXPECT_EQ(320u, dev.modes[0].Width);
    EXPECT_EQ(1, dev.modes[0].windowed);
    int target = 1;
    EXPECT_EQ(1, dev.modes[target].windowed);
    DWORD width = dev.modes[target].Width;
    DWORD height = dev.modes[target].Height;

    EXPECT_LT(app.ChangeMode(999), 0);
    EXPECT_GE(app.ChangeMode(target), 0);
    EXPECT_EQ(320u, app.backBufferDesc.Width) << "nothing changes inside the caller's handler";
    EXPECT_GE(app.SaveDisplayMode(), 0);
    app.Run();
    EXPECT_EQ(width, app.backBufferDesc.Width);
    EXPECT_EQ(height, app.backBufferDesc.Height);
    EXPECT_NE(app.calls.end(), std::find(app.calls.begin(), app.calls.end(), "InvalidateDeviceObjects"));

    SceneApp next;
    next.settingsFile = settings;
    next.SetHeadlessRun(1, 0.01f);
    ASSERT_GE(next.Create(nullptr), 0);
    EXPECT_EQ(width, next.backBufferDesc.Width) << "the stored mode is used at the next start";
    next.Run();
    remove(settings.c_str());
}

// A game's clean-up takes its listeners off the frame's mouse after the frame's
// own DeleteDeviceObjects: the mouse must still be there then, and go afterwards.
TEST_F(EngineCoreFrame, TheMouseOutlivesTheFramesDeleteDeviceObjects)
{
    struct Motion : IMouseMotionListener {
        void MouseMoved(CMouseEvent) override {}
        void MouseDragged(CMouseEvent) override {}
    } motion;
    struct CleanUpApp : SceneApp {
        HRESULT DeleteDeviceObjects() override
        {
            HRESULT hr = SceneApp::DeleteDeviceObjects();
            mouseAfterBase = mouse;
            if (mouse)
                mouse->RemoveMouseMotionEventListener(listener);
            return hr;
        }
        IMouseMotionListener* listener = nullptr;
        CMouse* mouseAfterBase = nullptr;
    } app;
    app.listener = &motion;
    app.SetHeadlessRun(2, 0.01f);
    ASSERT_GE(app.Create(nullptr), 0);
    app.mouse->AddMouseMotionEventListener(&motion);
    app.Run();
    EXPECT_NE(nullptr, app.mouseAfterBase);
    EXPECT_EQ(nullptr, app.mouse);
    EXPECT_EQ(0, CResourceManager::GetObjectQueue()->GetObjectCount());
}
