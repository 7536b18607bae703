// The application object: its command line and its scene set-up,
// run headless on the real media.
#include <gtest/gtest.h>

#include "CZarulApplication.h"
#include "CCameraView.h"
#include "C3DWindow.h"
#include "CFadeEffect.h"
#include "CGameController.h"
#include "CGameData.h"
#include "CGrid.h"
#include "CMainMenu.h"
#include "CIntro.h"
#include "CObjQueue.h"
#include "CResourceManager.h"

namespace {

// Command lines and whether each asks for the editor.
struct CommandLine {
    const char* commandLine;
    int editor;
};
const CommandLine COMMAND_LINES[] = {
    { "", 0 },
    { "zarul", 0 },
    { "zarul -editor", 1 },
    { "zarul -editorial", 1 },                 // inside a longer word
    { "/home/x-editor/zarul", 1 },             // inside the program's path
    { "zarul -Editor", 0 },
    { "zarul editor", 0 },
};

TEST(Application, EditorSwitchAnywhereInTheCommandLineMakesRoomForTheDialog)
{
    for (const CommandLine& c : COMMAND_LINES) {
        CZarulApplication app(c.commandLine);
        EXPECT_EQ(c.editor, app.editorFlag) << c.commandLine;
        EXPECT_EQ(c.editor != 0, app.creationWidth > 500u) << c.commandLine;   // room for the dialog
    }
}

TEST(Application, EditorSwitchAnywhereInTheCommandLineSetsTheWindowSize)
{
    for (const CommandLine& c : COMMAND_LINES) {
        CZarulApplication app(c.commandLine);
        EXPECT_EQ(c.editor, app.editorFlag) << c.commandLine;
        EXPECT_EQ(c.editor ? 1024u : 500u, (unsigned)app.creationWidth) << c.commandLine;
        EXPECT_EQ(c.editor ? 768u : 375u, (unsigned)app.creationHeight) << c.commandLine;
        EXPECT_STREQ("Zarul", app.windowTitle);
        EXPECT_EQ(1, app.loading);
        EXPECT_EQ(&app, g_pZarulApp);
    }
}

// The application run headless for a few frames; counts the loading paints.
class TestApplication : public CZarulApplication {
public:
    TestApplication() : CZarulApplication("zarul"), paints(0) { settingsFile = ""; }
    void PaintLoadingText(HWND window) override
    {
        paints++;
        CZarulApplication::PaintLoadingText(window);
    }
    int paints;
};

TEST(Application, SetsUpTheSceneAndSwitchesScreensOnItsTwoActions)
{
    TestApplication app;
    ASSERT_GE(app.Create(nullptr), 0);
    EXPECT_EQ(0, app.loading);
    EXPECT_EQ(1, app.paints);   // once, before the first frame
    SendMessageA(app.hWnd, WM_PAINT, 0, 0);
    EXPECT_EQ(1, app.paints);   // later paints go to the frame only

    ASSERT_NE(nullptr, app.controller);
    EXPECT_EQ(app.controller, CGameController::GetExistingInstance());
    ASSERT_NE(nullptr, dynamic_cast<CCameraView*>(app.camera));   // the game camera
    EXPECT_NE(nullptr, app.quadVB);
    EXPECT_NE(nullptr, app.textArea);

    CObjQueue* queue = CResourceManager::GetObjectQueue();
    int before = queue->GetObjectCount();
    app.actionPerformed(CActionEvent(nullptr, CZarulApplication::ACTION_RESERVED_1));
    app.actionPerformed(CActionEvent(nullptr, CZarulApplication::ACTION_RESERVED_2));
    app.actionPerformed(CActionEvent(nullptr, 0));
    EXPECT_EQ(before, queue->GetObjectCount());

    // 10004: the scene goes, a main menu (and the fade) come, no game runs.
    app.actionPerformed(CActionEvent(nullptr, CZarulApplication::ACTION_MAIN_MENU));
    queue->DeleteMarkedObjects();
    EXPECT_EQ(0, app.controller->running);
    EXPECT_EQ(nullptr, app.controller->gridView);
    EXPECT_EQ(3, queue->GetObjectCount());   // pointer, main menu, fade window

    // 10001: the game of the stored level, with its board view.
    app.actionPerformed(CActionEvent(nullptr, CZarulApplication::ACTION_START_GAME));
    queue->DeleteMarkedObjects();
    EXPECT_EQ(1, app.controller->running);
    EXPECT_NE(nullptr, app.controller->gridView);
    EXPECT_TRUE(queue->Contains(app.fade->window));   // the game fades in

    app.SetHeadlessRun(app.GetFrameCount() + 2, 1.0f / 30.0f);
    app.Run();
    EXPECT_EQ(nullptr, CGameController::GetExistingInstance());   // gone with the device objects
}

TEST(Application, StartInTheEditorsModeOpensAnEmptyEditorBoard)
{
    TestApplication app;
    ASSERT_GE(app.Create(nullptr), 0);
    app.editorFlag = 1;   // as "-editor" sets it, here without the dialog
    app.actionPerformed(CActionEvent(nullptr, CZarulApplication::ACTION_START_GAME));
    CResourceManager::GetObjectQueue()->DeleteMarkedObjects();
    EXPECT_EQ(1, app.controller->editorMode);
    ASSERT_NE(nullptr, app.controller->gameData);
    EXPECT_EQ(0, app.controller->gameData->board->GetStoneCount());
    EXPECT_EQ(3, app.controller->modeCount);   // place, slide and remove
    app.SetHeadlessRun(app.GetFrameCount() + 2, 1.0f / 30.0f);
    app.Run();
}

TEST(Application, CubeMapOnlyWithTheEffectAndThenHoldsTheSkyBox)
{
    TestApplication app;
    app.SetHeadlessRun(1, 1.0f / 30.0f);
    ASSERT_GE(app.Create(nullptr), 0);
    ASSERT_TRUE(app.renderEffects & CD3DApplication::R_EFFECT_ENVMAP);
    ASSERT_NE(nullptr, app.envCubeTexture);

    // Every face was drawn from the sky box: the sky above is brighter than
    // the ground below, and no face kept the white of a texture never drawn.
    int brightness[6];
    for (int face = 0; face < 6; face++) {
        D3DLOCKED_RECT locked;
        ASSERT_EQ(D3D_OK, app.envCubeTexture->LockRect((D3DCUBEMAP_FACES)face, 0, &locked, nullptr, D3DLOCK_READONLY));
        DWORD centre = *(const DWORD*)((const BYTE*)locked.pBits + 128 * locked.Pitch + 128 * 4);
        app.envCubeTexture->UnlockRect((D3DCUBEMAP_FACES)face, 0);
        brightness[face] = (int)((centre >> 16) & 0xFF) + (int)((centre >> 8) & 0xFF) + (int)(centre & 0xFF);
        EXPECT_LT(brightness[face], 3 * 250) << "face " << face;
    }
    EXPECT_GT(brightness[D3DCUBEMAP_FACE_POSITIVE_Y], brightness[D3DCUBEMAP_FACE_NEGATIVE_Y] + 60);

    // A device without cube maps: a restore makes none.
    app.InvalidateDeviceObjects();
    EXPECT_EQ(nullptr, app.envCubeTexture);
    app.caps.TextureCaps &= ~D3DPTEXTURECAPS_CUBEMAP;
    app.renderEffects = 0;
    app.RestoreDeviceObjects();
    EXPECT_FALSE(app.renderEffects & CD3DApplication::R_EFFECT_ENVMAP);
    EXPECT_EQ(nullptr, app.envCubeTexture);
    EXPECT_EQ(nullptr, app.envMapRenderer);
    app.Run();
}

TEST(ApplicationDeathTest, EnvironmentMapThatCannotBeMadeEndsWithAFailure)
{
    EXPECT_EXIT(
        {
            CZarulApplication app("zarul");
            app.CreateEnvMap();   // no device: the renderer cannot be made
        },
        ::testing::ExitedWithCode(EXIT_FAILURE), "Cube Environment map konnte nicht erzeugt werden");
}

} // namespace
