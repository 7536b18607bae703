#include "GamePlaySupport.h"

#include "CD3DApplication.h"
#include "CGameController.h"
#include "CGameData.h"
#include "CGrid.h"
#include "CLevel.h"
#include "CLevelLoader.h"
#include "CMoveStoneEventHandler.h"
#include "CStoneTypes.h"

namespace {

class ControllerTest : public GameFixture {};

TestLevel TenStonesLevel()
{
    TestLevel level;
    for (int i = 0; i < 10; i++)
        level.stones.push_back({ i % 6, i / 6, 0, STONE_SPECIAL });
    level.placeable = { STONE_RED };
    return level;
}

TEST(ControllerInstanceTest, BoardOutsideAGameBuildsNoController)
{
    CGameController::DestroyInstance();
    CGrid grid(6, 6, 15);
    grid.PlaceStone(1, 1, STONE_RED, 0.0f);
    EXPECT_EQ(1, grid.GetHeight(1, 1));
    EXPECT_EQ(nullptr, CGameController::GetExistingInstance());
}

// Ten stones drop in at 0.3, 0.4 ... 1.2 s; four more that form a group burst at
// once and are not waited for.
TEST_F(ControllerTest, StartingStonesDropInOneAfterAnother)
{
    TestLevel level = TenStonesLevel();
    for (int x = 0; x < 4; x++)
        level.stones.push_back({ x, 4, 0, STONE_GREEN });
    Open({ level });
    app->StartGameAtCurrentLevel();
    EXPECT_EQ(10, Board()->stoneCount);
    EXPECT_EQ(10, Controller()->pendingDrops);
    EXPECT_EQ(CGameController::MODE_PLACE, Controller()->mode);

    std::vector<float> drops;
    float start = app->GetTime();
    for (int pending = 10; pending > 0 && app->GetTime() - start < 2.0f;) {
        app->Step(1);
        for (; pending > Controller()->pendingDrops; pending--)
            drops.push_back(app->GetTime() - start);
    }
    ASSERT_EQ(10u, drops.size());
    for (int i = 0; i < 10; i++)
        EXPECT_NEAR(0.3f + 0.1f * i, drops[i], app->GetTimeStep() + 0.005f) << "stone " << i;

    // A restart while stones drop in: the old appear timers must not count down
    // the new level's stones (nor touch the stones they were made for).
    Controller()->RestartLevel();
    app->StepSeconds(0.45f);
    Controller()->RestartLevel();
    EXPECT_EQ(10, Controller()->pendingDrops);
    app->StepSeconds(0.25f);
    EXPECT_EQ(10, Controller()->pendingDrops);
    app->StepSeconds(1.0f);
    EXPECT_EQ(0, Controller()->pendingDrops);

    // The end of the game, a new one and the editor's empty board while stones drop in.
    Controller()->RestartLevel();
    app->StepSeconds(0.35f);
    Controller()->EndGame();
    app->StepSeconds(0.3f);
    app->StartGameAtCurrentLevel();
    app->StepSeconds(0.35f);
    Controller()->StartEditorLevel(nullptr);
    app->StepSeconds(1.5f);
    EXPECT_EQ(0, Board()->stoneCount);
}

// Space cycles the modes 0, 1, 0 in play and 0, 1, 2, 0 in the editor and
// keeps slide where nothing is left to place; StartGame twice leaves one scene;
// Escape opens one question; after the end of the game keys do nothing.
TEST_F(ControllerTest, ModesKeysAndTheGamesLifecycle)
{
    TestLevel empty;
    empty.stones = { { 0, 0, 0, STONE_SPECIAL } };
    Open({ TenStonesLevel(), empty });
    Controller()->StartGame();
    app->Step(1);
    int game = SceneObjects();
    Controller()->StartGame();
    app->Step(1);
    EXPECT_EQ(game, SceneObjects());
    for (int i = 0; i < 3; i++)
        EXPECT_NE(nullptr, Controller()->handlers[i]);

    auto cycle = [&](int presses) {
        std::vector<int> modes;
        for (int i = 0; i < presses; i++) {
            modes.push_back(Controller()->mode);
            app->PressKey(TEST_DIK_SPACE);
        }
        return modes;
    };
    Controller()->RestartLevel();
    EXPECT_EQ(std::vector<int>({ 0, 1, 0 }), cycle(3));
    Controller()->StartLevel(Controller()->levelLoader->GetLevel(2));
    EXPECT_EQ(CGameController::MODE_SLIDE, Controller()->mode);
    Controller()->ToggleMode();
    EXPECT_EQ(std::vector<int>({ 1, 1 }), cycle(2));

    int scene = SceneObjects();
    app->PressKey(TEST_DIK_ESCAPE);
    EXPECT_EQ(0, Controller()->running);
    EXPECT_EQ(scene + 1, SceneObjects());
    app->PressKey(TEST_DIK_ESCAPE);
    EXPECT_EQ(scene + 1, SceneObjects());
    app->StepSeconds(1.0f);

    Controller()->EndGame();
    app->Step(1);
    scene = SceneObjects();
    int mode = Controller()->mode;
    app->PressKey(TEST_DIK_SPACE);
    app->PressKey(TEST_DIK_ESCAPE);
    app->Step(1);
    EXPECT_EQ(mode, Controller()->mode);
    EXPECT_EQ(scene, SceneObjects());
    EXPECT_EQ(nullptr, Controller()->gridView);
    EXPECT_EQ(nullptr, Controller()->handlers[0]);

    CLevelLoader ownList;
    ASSERT_EQ(1, ownList.Load(".//media//levels.xml"));
    Controller()->StartGame();
    Controller()->SetEditorMode(1);
    Controller()->StartEditorLevel(ownList.GetLevel(1));
    Controller()->mode = 0;
    EXPECT_EQ(std::vector<int>({ 0, 1, 2, 0 }), cycle(4));
}

// Stones that burst in two passes: four reds at once, then four blues that
// dropped onto the floor. Particle effects are off so that the only objects
// the passes add to the scene are their timers.
TEST_F(ControllerTest, PlacingAndTheGroupPassesAtPointThreeAndEverySecond)
{
    TestLevel level;
    level.stones = { { 0, 0, 0, STONE_RED }, { 1, 0, 0, STONE_RED }, { 2, 0, 0, STONE_RED },
                     { 3, 0, 0, STONE_BLUE }, { 0, 0, 1, STONE_BLUE }, { 1, 0, 1, STONE_BLUE },
                     { 2, 0, 1, STONE_BLUE } };
    level.placeable = { STONE_RED, FIELD_SPECIAL_TARGET, STONE_GREEN };
    level.fields = { { 4, 4, 0, FIELD_SPECIAL_TARGET } };
    Open({ level });
    app->renderEffects &= (BYTE)~CD3DApplication::R_EFFECT_PARTICLES;
    StartAndSettle();
    int scene = SceneObjects();
    ASSERT_EQ(7, Board()->stoneCount);

    Controller()->PlaceStone(0, 1);
    float start = app->GetTime();
    std::vector<std::pair<float, int> > changes;
    int stones = Board()->stoneCount;
    float quiet = -1.0f;
    while (app->GetTime() - start < 3.0f) {
        app->Step(1);
        if (Board()->stoneCount != stones) {
            stones = Board()->stoneCount;
            changes.push_back({ app->GetTime() - start, stones });
        }
        if (quiet < 0.0f && SceneObjects() == scene)
            quiet = app->GetTime() - start;
    }
    // A timer counts from the frame after the one that made it.
    float tolerance = 3.0f * app->GetTimeStep() + 0.005f;
    ASSERT_EQ(2u, changes.size());
    EXPECT_NEAR(0.3f, changes[0].first, tolerance);
    EXPECT_EQ(4, changes[0].second);
    EXPECT_NEAR(1.3f, changes[1].first, tolerance);
    EXPECT_EQ(0, changes[1].second);
    // The third pass finds nothing and schedules no further one.
    EXPECT_NEAR(2.3f, quiet, tolerance);

    // A field value goes to the column's field, not onto the column.
    Controller()->PlaceStone(1, 1);
    EXPECT_EQ(FIELD_SPECIAL_TARGET, Board()->fields[1][1]);
    EXPECT_EQ(0, Board()->GetHeight(1, 1));
    EXPECT_EQ(CGameController::MODE_PLACE, Controller()->mode);
    ASSERT_TRUE(app->StepUntil([&] { return SceneObjects() == scene; }, 1.0f));

    // The last stone, forming no group: slide mode at once, one pass, then the
    // scene is as before; nothing further can be placed.
    Controller()->PlaceStone(5, 5);
    start = app->GetTime();
    EXPECT_EQ(CGameController::MODE_SLIDE, Controller()->mode);
    EXPECT_EQ(scene + 1, SceneObjects());
    ASSERT_TRUE(app->StepUntil([&] { return SceneObjects() == scene; }, 1.0f));
    EXPECT_NEAR(0.3f, app->GetTime() - start, tolerance);
    Controller()->PlaceStone(3, 3);
    EXPECT_EQ(0, Board()->GetHeight(3, 3));
}

TEST_F(ControllerTest, EditorWithoutLevelListNeverTouchesIt)
{
    Open();
    CLevelLoader ownList;
    ASSERT_EQ(1, ownList.Load(".//media//levels.xml"));
    CLevel plain;
    plain.stoneCount = 0;

    Controller()->StartGame();
    Controller()->SetEditorMode(1);
    ASSERT_EQ(nullptr, Controller()->levelLoader);
    Controller()->StartEditorLevel(nullptr);
    Controller()->RestartLevel();
    Controller()->actionPerformed(CActionEvent(nullptr, CGameController::ACTION_RESTART_LEVEL));
    Controller()->SaveLevels();
    EXPECT_EQ(0, Board()->stoneCount);

    // The editor's view before a type is chosen holds no stone: placing does nothing.
    Controller()->StartEditorLevel(&plain);
    Controller()->PlaceStone(3, 3);
    EXPECT_EQ(0, Board()->fields[3][3]);
    EXPECT_EQ(0, Board()->GetHeight(3, 3));

    // The editor tries the first shipped level under the game's rules and wins it:
    // no best result, no next level, the board stays.
    Controller()->StartLevel(ownList.GetLevel(1));
    app->StepSeconds(3.2f);
    CMoveStoneEventHandler* slide = static_cast<CMoveStoneEventHandler*>(Controller()->handlers[1]);
    slide->SlideStone(3, Board()->GetStoneInfo(1, 2, 0));
    Controller()->StartComboTimer();
    ASSERT_TRUE(app->StepUntil([&] { return Controller()->won == 1; }, 1.0f));
    app->StepSeconds(0.6f);
    app->Click(0.5f, 0.5f);
    app->StepSeconds(3.0f);
    EXPECT_EQ(1, Controller()->running);
    EXPECT_TRUE(app->actions.empty());
    EXPECT_EQ(STONE_SPECIAL, Board()->GetStoneInfo(5, 2, 0).type);
    EXPECT_TRUE(Controller()->highScore.puzzleScores.empty());
}

// Pixels that differ between two pictures inside a rectangle of window fractions.
int ChangedPixels(const Image& a, const Image& b, float x0, float y0, float x1, float y1)
{
    int changed = 0;
    for (int y = (int)(y0 * a.height); y < (int)(y1 * a.height); y++) {
        for (int x = (int)(x0 * a.width); x < (int)(x1 * a.width); x++)
            changed += a.Pixel(x, y) != b.Pixel(x, y) ? 1 : 0;
    }
    return changed;
}

TEST_F(ControllerTest, BannerShowsWordAndOneDigitPerPlaceForThreeSeconds)
{
    Open();
    Controller()->StartGame();
    app->Step(1);
    int scene = SceneObjects();
    Image before, with;
    ASSERT_TRUE(app->Capture(folder->GetPreviousFolder() + "/game_play_no_banner.png", before));
    CLevel level;
    level.number = 12;
    Controller()->ShowLevelBanner(&level);
    // The word and two digits, each with its own timer.
    EXPECT_EQ(scene + 6, SceneObjects());
    ASSERT_TRUE(app->Capture(folder->GetPreviousFolder() + "/game_play_banner.png", with));
    // The word left of 0.6, the first digit from 0.6, the second from 0.635
    // (its glyph ends before 0.68), no third.
    EXPECT_GT(ChangedPixels(before, with, 0.36f, 0.45f, 0.59f, 0.51f), 0);
    EXPECT_GT(ChangedPixels(before, with, 0.60f, 0.45f, 0.635f, 0.51f), 0);
    EXPECT_GT(ChangedPixels(before, with, 0.64f, 0.45f, 0.68f, 0.51f), 0);
    EXPECT_EQ(0, ChangedPixels(before, with, 0.68f, 0.45f, 0.80f, 0.51f));
    app->StepSeconds(2.8f);
    EXPECT_EQ(scene + 6, SceneObjects());
    app->StepSeconds(0.2f);
    EXPECT_EQ(scene, SceneObjects());
}

} // namespace
