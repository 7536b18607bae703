// The options submenu and its start-level chooser: counting round, the start
// level and display mode applied on close, and the editor's mode without a
// level list.
#include <gtest/gtest.h>

#include <stdio.h>

#include "C3DCheckBox.h"
#include "C3DTextButton.h"
#include "C3DToggleSelection.h"
#include "CGameController.h"
#include "CLevelLoader.h"
#include "CObjQueue.h"
#include "CResourceManager.h"
#include "CSoundDev.h"
#include "CStartLevelToggle.h"
#include "CSubMenuOptions.h"
#include "FrontTestApp.h"
#include "TestFiles.h"

namespace {

class CountingListener : public IActionListener {
public:
    void actionPerformed(CActionEvent) override { count++; }
    int count = 0;
};

class OptionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        app.settingsFile = folder.Path("display.txt");
        ASSERT_TRUE(app.Open());
    }

    void TearDown() override { CGameController::DestroyInstance(); }

    // The controller's level list, read from a level file of the scratch media.
    CLevelLoader* UseLevels(int count, int completed, int last)
    {
        WriteText(folder.Media("levels.xml"), LevelFileText(count, completed, last));
        CGameController* controller = CGameController::GetInstance();
        delete controller->levelLoader;
        controller->levelLoader = new CLevelLoader();
        controller->levelLoader->Load(".//media//levels.xml");
        return controller->levelLoader;
    }

    CSubMenuOptions* OpenOptions()
    {
        CSubMenuOptions* options = new CSubMenuOptions(app.device, NULL, 1);
        CResourceManager::GetObjectQueue()->AddObject(options, 4, 0);
        return options;
    }

    ScratchFolder folder;
    FrontTestApp app;
};

TEST_F(OptionsTest, StartLevelChooserCountsRound)
{
    struct Case {
        int maximum, start, next;   // next 1: the next arrow, 0: the prev arrow
        int expected;
    } cases[] = {
        { 1, 1, 1, 1 }, { 1, 1, 0, 1 },
        { 5, 5, 1, 1 }, { 5, 1, 0, 5 }, { 5, 3, 0, 2 }, { 5, 3, 1, 4 },
        { 3, 7, 1, 2 },   // a stored start above the maximum comes back into range
        { 3, 0, 0, 2 },   // so does one below 1
    };
    CLevelLoader* levels = UseLevels(9, 0, 1);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "maximum " << c.maximum << " from " << c.start << (c.next ? " next" : " prev"));
        levels->last = c.start;
        CStartLevelToggle toggle(app.device, CRECTVirtual(0.6f, 0.7f, 0.2f, 0.1f), c.maximum, NULL);
        CountingListener listener;
        toggle.AddActionListener(&listener);
        EXPECT_EQ(toggle.selection, c.start);
        EXPECT_EQ(std::string(toggle.labelButton->GetText()), std::to_string(c.start));
        if (c.next)
            toggle.next_ActionPerformed(CActionEvent());
        else
            toggle.prev_ActionPerformed(CActionEvent());
        EXPECT_EQ(toggle.selection, c.expected);
        EXPECT_EQ(std::string(toggle.labelButton->GetText()), std::to_string(c.expected));
        EXPECT_EQ(listener.count, 1);
    }
}

TEST_F(OptionsTest, CloseKeepsTheModeStoresItAndWritesTheStartLevel)
{
    UseLevels(5, 2, 1);
    DWORD modeBefore = app.GetCurrentAdapter().devices[0].dwCurrentMode;
    CSubMenuOptions* options = OpenOptions();
    ASSERT_NE(options->startLevelToggle, nullptr);
    EXPECT_EQ(options->startLevelToggle->maximum, 3);

    app.Step(15);
    Image picture = app.Capture();
    WritePng(folder.Kept("frontend_options.png"), picture.width, picture.height, picture.pixels, false);
    EXPECT_GT(CountColor(picture, 23, 26, 168, 40, picture.width / 4, picture.height / 4, picture.width / 2,
                         3 * picture.height / 4), 100);

    options->startLevelToggle->next_ActionPerformed(CActionEvent());
    FrontTestApp::PressKey(28);   // Return does nothing here
    EXPECT_FALSE(options->IsClosing());
    FrontTestApp::PressKey(1);
    EXPECT_TRUE(options->IsClosing());

    EXPECT_EQ(app.ResetPending(), 0);   // no ChangeMode
    EXPECT_EQ(app.GetCurrentAdapter().devices[0].dwCurrentMode, modeBefore);
    EXPECT_TRUE(FileExists(folder.Path("display.txt")));
    CLevelLoader written;
    ASSERT_TRUE(written.Load(folder.Media("levels.xml").c_str()));
    EXPECT_EQ(written.last, 2);
    EXPECT_EQ(written.completed, 2);

    app.Step(15);
    EXPECT_FALSE(FrontTestApp::InScene(options));
}

TEST_F(OptionsTest, ChosenDisplayModeResizesTheBackBufferOnClose)
{
    UseLevels(3, 0, 1);
    CSubMenuOptions* options = OpenOptions();
    C3DToggleSelection* modes = options->resolutionToggle;
    ASSERT_GE(modes->GetEntryCount(), 2);
    EXPECT_STREQ(modes->labelButton->GetText(), "500 x 375 x 32");
    modes->next_ActionPerformed(CActionEvent());
    const D3DModeRecord& chosen = app.GetCurrentAdapter().devices[0].modes[1];
    ASSERT_EQ(chosen.windowed, 1);
    EXPECT_EQ(std::string(modes->labelButton->GetText()), CSubMenuOptions::ModeText(chosen));
    EXPECT_EQ(app.ResetPending(), 0);   // nothing happens before the close

    options->Close();
    app.Step(1);
    Image picture = app.Capture();
    EXPECT_EQ(picture.width, (int)chosen.Width);
    EXPECT_EQ(picture.height, (int)chosen.Height);
    EXPECT_EQ(app.GetCurrentAdapter().devices[0].dwCurrentMode, 1u);
}

TEST_F(OptionsTest, LevelFileIsNeverGivenALevelItDoesNotHold)
{
    // Every level completed: the chooser stops at the last level of the file.
    CLevelLoader* levels = UseLevels(3, 3, 3);
    CSubMenuOptions* options = OpenOptions();
    ASSERT_NE(options->startLevelToggle, nullptr);
    EXPECT_EQ(options->startLevelToggle->maximum, 3);
    options->startLevelToggle->next_ActionPerformed(CActionEvent());
    EXPECT_EQ(levels->last, 1);

    // A number beyond the file from elsewhere is not taken over.
    options->startLevelToggle->selection = 4;
    options->startlevel_ActionPerformed(CActionEvent(options->startLevelToggle, 0));
    EXPECT_EQ(levels->last, 1);
}

TEST_F(OptionsTest, EditorModeHasNoStartLevelAndWritesNoLevelFile)
{
    CGameController* controller = CGameController::GetInstance();
    delete controller->levelLoader;
    controller->levelLoader = NULL;
    controller->editorMode = 1;

    CSubMenuOptions* options = OpenOptions();
    EXPECT_EQ(options->startLevelToggle, nullptr);
    app.Step(5);
    FrontTestApp::PressKey(1);
    app.Step(15);
    EXPECT_FALSE(FrontTestApp::InScene(options));
    EXPECT_FALSE(FileExists(folder.Media("levels.xml")));
}

TEST_F(OptionsTest, SoundBoxSwitchesTheSoundAtOnce)
{
    UseLevels(3, 0, 1);
    CSoundDev* sound = CResourceManager::GetSoundDevice();
    sound->soundSwitch = 1;
    CSubMenuOptions* options = OpenOptions();
    C3DCheckBox* box = options->boxes[CSubMenuOptions::BOX_SOUND];
    EXPECT_EQ(box->checked, 1);
    box->SetChecked(0);
    box->fireActionPerformed(CActionEvent(box, 0));
    EXPECT_EQ(sound->soundSwitch, 0);
    EXPECT_EQ(options->soundState, 0);
    // An event from another widget changes nothing.
    options->effects_ActionPerformed(CActionEvent(options->resolutionToggle, 0));
    EXPECT_EQ(sound->soundSwitch, 0);
    sound->soundSwitch = 1;
}

}
