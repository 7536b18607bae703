// The options' render-effect boxes in the real application: "Schatten" takes
// the shadow pass out of the next frame, "Reflektion" draws the cube map anew.
#include <gtest/gtest.h>

#include <stdio.h>

#include "C3DCheckBox.h"
#include "CGameController.h"
#include "CObjQueue.h"
#include "CResourceManager.h"
#include "CSubMenuOptions.h"
#include "CZarulApplication.h"
#include "FrontTestApp.h"
#include "TestFiles.h"

namespace {

class SteppedApplication : public CZarulApplication {
public:
    SteppedApplication() : CZarulApplication("zarul") { settingsFile = ""; }
    ~SteppedApplication() { Shutdown(); }

    void Step(int frames)
    {
        SetHeadlessRun(1, 1.0f / 30.0f);
        for (int i = 0; i < frames; i++)
            Render3DEnvironment();
    }

    // The picture of the next frame.
    Image Capture(const std::string& png)
    {
        remove(png.c_str());
        AddSnapshot(GetFrameCount() + 1, png.c_str());
        Step(1);
        Image picture;
        std::string error;
        LoadImageFile(png, picture, error);
        return picture;
    }
};

// Clicks a box of the options: its state flips and its action goes out.
void Toggle(C3DCheckBox* box)
{
    box->SetChecked(box->checked ? 0 : 1);
    box->fireActionPerformed(CActionEvent(box, CActionEvent::ACTION_DEFAULT));
}

// Pixels outside the options window (the middle half of the screen, whose
// boxes change with the clicks) that are darker in 'a' than in 'b' by more
// than 'by' in every channel.
int DarkerPixels(const Image& a, const Image& b, int by)
{
    int count = 0;
    for (size_t i = 0; i < a.pixels.size() && i < b.pixels.size(); i++) {
        int x = (int)(i % a.width), y = (int)(i / a.width);
        if (x >= a.width / 4 && x < 3 * a.width / 4 && y >= a.height / 4 && y < 3 * a.height / 4)
            continue;
        uint32_t p = a.pixels[i], q = b.pixels[i];
        if ((int)((q >> 16) & 0xFF) - (int)((p >> 16) & 0xFF) > by && (int)((q >> 8) & 0xFF) - (int)((p >> 8) & 0xFF) > by &&
            (int)(q & 0xFF) - (int)(p & 0xFF) > by)
            count++;
    }
    return count;
}

class OptionsEffectsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Level 1 has a stone on the left of the board, whose shadow falls
        // beside the options window.
        WriteText(folder.Media("levels.xml"), LevelFileText(3, 0, 1));
        app.SetHeadlessRun(1, 1.0f / 30.0f);
        ASSERT_GE(app.Create(NULL), 0);
    }

    CSubMenuOptions* OpenOptions()
    {
        CSubMenuOptions* options = new CSubMenuOptions(app.device, NULL, 0);
        CResourceManager::GetObjectQueue()->AddObject(options, 4, 0);
        app.Step(15);
        return options;
    }

    ScratchFolder folder;
    SteppedApplication app;
};

TEST_F(OptionsEffectsTest, ShadowsOffLeaveTheNextFrameWithoutShadowPass)
{
    if (!app.IsRenderEffectCapable(CD3DApplication::R_EFFECT_SHADOW))
        GTEST_SKIP() << "no stencil shadows on this device";
    app.StartGame();
    app.Step(150);   // the stones have dropped in, the level banner has gone
    CSubMenuOptions* options = OpenOptions();
    C3DCheckBox* shadows = options->boxes[CSubMenuOptions::BOX_SHADOW];
    ASSERT_EQ(shadows->checked, 1);
    Image on = app.Capture(folder.Path("on.png"));

    Toggle(shadows);
    EXPECT_FALSE(app.renderEffects & CD3DApplication::R_EFFECT_SHADOW);
    Image off = app.Capture(folder.Path("off.png"));
    WritePng(folder.Kept("frontend_shadows_on.png"), on.width, on.height, on.pixels, false);
    WritePng(folder.Kept("frontend_shadows_off.png"), off.width, off.height, off.pixels, false);
    // The shadowed pixels of the board are lighter in the very next frame.
    EXPECT_GT(DarkerPixels(on, off, 15), 150);
    EXPECT_EQ(DarkerPixels(off, on, 15), 0);

    Toggle(shadows);
    Image again = app.Capture(folder.Path("again.png"));
    EXPECT_GT(DarkerPixels(again, off, 15), 150);
}

TEST_F(OptionsEffectsTest, ReflectionOnDrawsTheCubeMapAgain)
{
    if (!app.IsRenderEffectCapable(CD3DApplication::R_EFFECT_ENVMAP))
        GTEST_SKIP() << "no cube maps on this device";
    ASSERT_NE(app.envCubeTexture, nullptr);
    const DWORD mark = 0xFFFF00FF;
    auto centre = [&](int face) {
        D3DLOCKED_RECT locked;
        DWORD value = 0;
        if (SUCCEEDED(app.envCubeTexture->LockRect((D3DCUBEMAP_FACES)face, 0, &locked, NULL, D3DLOCK_READONLY))) {
            value = *(const DWORD*)((const BYTE*)locked.pBits + 128 * locked.Pitch + 128 * 4) | 0xFF000000;
            app.envCubeTexture->UnlockRect((D3DCUBEMAP_FACES)face, 0);
        }
        return value;
    };
    auto paint = [&](int face) {
        D3DLOCKED_RECT locked;
        if (SUCCEEDED(app.envCubeTexture->LockRect((D3DCUBEMAP_FACES)face, 0, &locked, NULL, 0))) {
            for (int y = 0; y < 256; y++)
                for (int x = 0; x < 256; x++)
                    *(DWORD*)((BYTE*)locked.pBits + y * locked.Pitch + x * 4) = mark;
            app.envCubeTexture->UnlockRect((D3DCUBEMAP_FACES)face, 0);
        }
    };

    CSubMenuOptions* options = OpenOptions();
    C3DCheckBox* reflection = options->boxes[CSubMenuOptions::BOX_ENVMAP];
    ASSERT_EQ(reflection->checked, 1);
    Toggle(reflection);
    EXPECT_FALSE(app.renderEffects & CD3DApplication::R_EFFECT_ENVMAP);
    for (int face = 0; face < 6; face++)
        paint(face);
    ASSERT_EQ(centre(0), mark);

    Toggle(reflection);
    EXPECT_TRUE(app.renderEffects & CD3DApplication::R_EFFECT_ENVMAP);
    for (int face = 0; face < 6; face++)
        EXPECT_NE(centre(face), mark) << "face " << face;
}

}
