// The options submenu and its start-level chooser: counting round, the range
// of start levels, the start level and the display mode applied on close, the
// editor's mode without a level list, the music box, and the render-effect
// boxes beside their labels, showing their own effects and acting on the next frame.
#include <cmath>

#include "C3DCheckBox.h"
#include "C3DStaticText.h"
#include "C3DTextButton.h"
#include "C3DToggleSelection.h"
#include "CGameController.h"
#include "CLevelLoader.h"
#include "CResourceManager.h"
#include "CSoundDev.h"
#include "CStartLevelToggle.h"
#include "CSubMenuOptions.h"
#include "FrontTestApp.h"
#include "TestFiles.h"

namespace {

class OptionsTest : public FrontTest {
protected:
    // The controller's level list, read from a level file of the test's media.
    CLevelLoader* UseLevels(int count, int completed, int last)
    {
        WriteText(media.MediaFile("levels.xml"), LevelFileText(count, completed, last));
        CGameController* controller = CGameController::GetInstance();
        delete controller->levelLoader;
        controller->levelLoader = new CLevelLoader();
        controller->levelLoader->Load(".//media//levels.xml");
        return controller->levelLoader;
    }

    CSubMenuOptions* OpenOptions()
    {
        CSubMenuOptions* options = new CSubMenuOptions(app.device, nullptr, 1);
        FrontTestApp::Show(options, 4);
        app.Step(15);
        return options;
    }
};

// Clicks a box: its state flips and its action goes out.
void Toggle(C3DCheckBox* box)
{
    box->SetChecked(box->checked ? 0 : 1);
    box->fireActionPerformed(CActionEvent(box, CActionEvent::ACTION_DEFAULT));
}

TEST_F(OptionsTest, StartLevelChooserCountsRound)
{
    struct Case {
        int maximum, start, next;   // next 1: the next arrow, 0: the prev arrow
        int expected;
    } cases[] = {
        { 1, 1, 1, 1 }, { 1, 1, 0, 1 }, { 5, 5, 1, 1 }, { 5, 1, 0, 5 }, { 5, 3, 0, 2 },
        { 3, 7, 1, 2 },    // a stored start above the maximum comes back into range
        { 3, -5, 1, 2 },   // so does one below 1 from a damaged level file
        { 0, 1, 1, 1 },    // a damaged completed value gives no maximum below 1
    };
    CLevelLoader* levels = UseLevels(9, 0, 1);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "maximum " << c.maximum << " from " << c.start << (c.next ? " next" : " prev"));
        levels->last = c.start;
        CStartLevelToggle toggle(app.device, CRECTVirtual(0.6f, 0.7f, 0.2f, 0.1f), c.maximum, nullptr);
        EXPECT_EQ(std::string(toggle.labelButton->GetText()), std::to_string(c.start));
        if (c.next)
            toggle.next_ActionPerformed(CActionEvent());
        else
            toggle.prev_ActionPerformed(CActionEvent());
        EXPECT_EQ(toggle.selection, c.expected);
        EXPECT_EQ(std::string(toggle.labelButton->GetText()), std::to_string(c.expected));
    }
}

TEST_F(OptionsTest, StartLevelIsOfferedUpToOnePastTheLastCompletedLevel)
{
    const int completedLevels[] = { 0, 2, 8 };
    for (int completed : completedLevels) {
        UseLevels(9, completed, 1);
        CSubMenuOptions* options = OpenOptions();
        ASSERT_NE(options->startLevelToggle, nullptr);
        EXPECT_EQ(options->startLevelToggle->maximum, completed + 1);
        options->Close();
        app.Step(15);
    }
}

// Each effect box shows its own effect and sits beside its own label.
TEST_F(OptionsTest, EffectBoxesShowTheirOwnEffectBesideTheirLabel)
{
    struct Row {
        int box;
        int effect;
        const char* label;
    };
    const Row rows[] = { { CSubMenuOptions::BOX_ENVMAP, CD3DApplication::R_EFFECT_ENVMAP, "Reflektion" },
                         { CSubMenuOptions::BOX_SHADOW, CD3DApplication::R_EFFECT_SHADOW, "Schatten" },
                         { CSubMenuOptions::BOX_PARTICLES, CD3DApplication::R_EFFECT_PARTICLES, "Fx" } };
    UseLevels(3, 0, 1);
    for (const Row& on : rows) {
        app.renderEffects = (BYTE)on.effect;
        CSubMenuOptions* options = OpenOptions();
        for (const Row& row : rows) {
            C3DCheckBox* box = options->boxes[row.box];
            EXPECT_EQ(box->checked, row.effect == on.effect ? 1 : 0) << row.label << " with only " << on.label;
            std::string label;
            for (int i = 0; i < options->GetSubWindowCount(); i++) {
                C3DStaticText* text = dynamic_cast<C3DStaticText*>(options->GetSubWindow(i));
                if (text && fabsf(text->GetRect().y + 0.03f - box->GetRect().y) < 0.001f)
                    label = text->GetText();
            }
            EXPECT_EQ(label, row.label);
        }
        options->Close();
        app.Step(15);
    }
}

// The music box stops the menu music and starts it again, looping. The test
// registers no sounds, so the device plays them silently: a looping sound
// counts as playing until it is stopped, a sound played once ends at once.
TEST_F(OptionsTest, MusicBoxStopsTheMenuMusicAndStartsItLoopingAgain)
{
    UseLevels(3, 0, 1);
    CSoundDev* sound = CResourceManager::GetSoundDevice();
    int music = sound->LoadSound("MENU_BACKGROUND", nullptr);
    sound->PlayIndex(music, 1, -1.0f, 1);   // as the intro leaves it
    C3DCheckBox* box = OpenOptions()->boxes[CSubMenuOptions::BOX_MUSIC];
    ASSERT_EQ(box->checked, 1);
    Toggle(box);
    EXPECT_EQ(sound->GetSoundState(music), 0);
    Toggle(box);
    EXPECT_EQ(sound->GetSoundState(music), 1);
}

TEST_F(OptionsTest, CloseStoresTheModeWritesTheStartLevelAndAppliesAChosenMode)
{
    app.settingsFile = media.File("display.txt");
    // Every level completed: the chooser stops at the last level of the file,
    // and the level list is never given a level it does not hold.
    CLevelLoader* levels = UseLevels(3, 3, 1);
    DWORD mode = app.GetCurrentAdapter().devices[0].dwCurrentMode;
    CSubMenuOptions* options = OpenOptions();
    ASSERT_NE(options->startLevelToggle, nullptr);
    EXPECT_EQ(options->startLevelToggle->maximum, 3);
    options->startLevelToggle->selection = 4;
    options->startlevel_ActionPerformed(CActionEvent(options->startLevelToggle, 0));
    EXPECT_EQ(levels->last, 1);
    options->startLevelToggle->selection = 3;   // the last level of the file is a start
    options->startlevel_ActionPerformed(CActionEvent(options->startLevelToggle, 0));
    EXPECT_EQ(levels->last, 3);
    options->startLevelToggle->selection = 1;
    options->startLevelToggle->next_ActionPerformed(CActionEvent());
    FrontTestApp::PressKey(28);   // Return does nothing here
    EXPECT_FALSE(options->IsClosing());
    FrontTestApp::PressKey(1);
    EXPECT_TRUE(options->IsClosing());
    EXPECT_EQ(app.ResetPending(), 0);   // no ChangeMode
    EXPECT_EQ(app.GetCurrentAdapter().devices[0].dwCurrentMode, mode);
    EXPECT_TRUE(FileExists(media.File("display.txt")));
    CLevelLoader written;
    ASSERT_TRUE(written.Load(media.MediaFile("levels.xml").c_str()));
    EXPECT_EQ(written.last, 2);

    // Opened again, a chosen mode is applied on close, and only then.
    app.Step(15);
    options = OpenOptions();
    EXPECT_STREQ(options->resolutionToggle->labelButton->GetText(), "500 x 375 x 32");
    options->resolutionToggle->next_ActionPerformed(CActionEvent());
    const D3DModeRecord chosen = app.GetCurrentAdapter().devices[0].modes[1];
    ASSERT_EQ(chosen.windowed, 1);
    EXPECT_EQ(std::string(options->resolutionToggle->labelButton->GetText()), CSubMenuOptions::ModeText(chosen));
    EXPECT_EQ(app.ResetPending(), 0);   // nothing before the close
    // Effects switched off in the same visit stay off over the mode change,
    // whose device reset switches every effect on.
    Toggle(options->boxes[CSubMenuOptions::BOX_PARTICLES]);
    Toggle(options->boxes[CSubMenuOptions::BOX_SHADOW]);
    const BYTE chosenEffects = app.renderEffects;
    ASSERT_FALSE(chosenEffects & CD3DApplication::R_EFFECT_PARTICLES);

    options->Close();
    app.Step(1);
    Image picture = app.Capture(media.File("resized.png"));
    EXPECT_EQ(picture.width, (int)chosen.Width);
    EXPECT_EQ(picture.height, (int)chosen.Height);
    EXPECT_EQ(app.renderEffects, chosenEffects);
}

TEST_F(OptionsTest, EditorModeHasNoStartLevelAndWritesNoLevelFile)
{
    CGameController* controller = CGameController::GetInstance();
    delete controller->levelLoader;
    controller->levelLoader = nullptr;
    controller->editorMode = 1;
    remove(media.MediaFile("levels.xml").c_str());

    CSubMenuOptions* options = OpenOptions();
    EXPECT_EQ(options->startLevelToggle, nullptr);
    FrontTestApp::PressKey(1);
    app.Step(15);
    EXPECT_FALSE(FrontTestApp::InScene(options));
    EXPECT_FALSE(FileExists(media.MediaFile("levels.xml")));
}

// Pixels outside the options window (the middle of the screen, whose boxes
// change with the clicks) darker in 'a' than in 'b' by more than 20 in every channel.
int DarkerOutside(const Image& a, const Image& b)
{
    int count = 0;
    for (int y = 0; y < a.height && y < b.height; y++) {
        for (int x = 0; x < a.width && x < b.width; x++) {
            if (x >= a.width / 4 && x < 3 * a.width / 4 && y >= a.height / 4 && y < 3 * a.height / 4)
                continue;
            uint32_t p = a.Pixel(x, y), q = b.Pixel(x, y);
            bool darker = true;
            for (int shift = 0; shift <= 16; shift += 8)
                darker = darker && (int)((q >> shift) & 0xFF) - (int)((p >> shift) & 0xFF) > 20;
            count += darker ? 1 : 0;
        }
    }
    return count;
}

TEST_F(OptionsTest, ShadowsOffLeaveTheNextFrameWithoutShadowPass)
{
    if (!app.IsRenderEffectCapable(CD3DApplication::R_EFFECT_SHADOW))
        GTEST_SKIP() << "no stencil shadows on this device";
    UseLevels(3, 0, 1);   // a stone on the left of the board casts its shadow beside the window
    app.StartGame();
    app.Step(150);
    C3DCheckBox* shadows = OpenOptions()->boxes[CSubMenuOptions::BOX_SHADOW];
    ASSERT_EQ(shadows->checked, 1);
    Image on = app.Capture(media.File("on.png"));
    Toggle(shadows);
    Image off = app.Capture(media.File("off.png"));
    WritePng(Kept("frontend_shadows_on.png"), on.width, on.height, on.pixels, false);
    WritePng(Kept("frontend_shadows_off.png"), off.width, off.height, off.pixels, false);
    EXPECT_GT(DarkerOutside(on, off), 150);
    EXPECT_EQ(DarkerOutside(off, on), 0);
    Toggle(shadows);
    EXPECT_GT(DarkerOutside(app.Capture(media.File("again.png")), off), 150);
}

TEST_F(OptionsTest, ReflectionOnDrawsTheCubeMapAgain)
{
    if (!app.IsRenderEffectCapable(CD3DApplication::R_EFFECT_ENVMAP))
        GTEST_SKIP() << "no cube maps on this device";
    ASSERT_NE(app.envCubeTexture, nullptr);
    C3DCheckBox* reflection = OpenOptions()->boxes[CSubMenuOptions::BOX_ENVMAP];
    ASSERT_EQ(reflection->checked, 1);
    Toggle(reflection);
    EXPECT_FALSE(app.renderEffects & CD3DApplication::R_EFFECT_ENVMAP);

    // The middle of every face marked magenta; switching the box on draws the sky box over it.
    const DWORD mark = 0xFFFF00FF;
    D3DLOCKED_RECT locked;
    for (int face = 0; face < 6; face++) {
        ASSERT_EQ(app.envCubeTexture->LockRect((D3DCUBEMAP_FACES)face, 0, &locked, nullptr, 0), D3D_OK);
        *(DWORD*)((BYTE*)locked.pBits + 128 * locked.Pitch + 128 * 4) = mark;
        app.envCubeTexture->UnlockRect((D3DCUBEMAP_FACES)face, 0);
    }
    Toggle(reflection);
    EXPECT_TRUE(app.renderEffects & CD3DApplication::R_EFFECT_ENVMAP);
    for (int face = 0; face < 6; face++) {
        ASSERT_EQ(app.envCubeTexture->LockRect((D3DCUBEMAP_FACES)face, 0, &locked, nullptr, D3DLOCK_READONLY), D3D_OK);
        DWORD centre = *(const DWORD*)((const BYTE*)locked.pBits + 128 * locked.Pitch + 128 * 4) | 0xFF000000;
        app.envCubeTexture->UnlockRect((D3DCUBEMAP_FACES)face, 0);
        EXPECT_NE(centre, mark) << "face " << face;
    }
}

}
