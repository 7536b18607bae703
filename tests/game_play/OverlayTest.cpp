#include "GamePlaySupport.h"

#include "C3DStaticText.h"
#include "C3DTextButton.h"
#include "CGameController.h"
#include "CGameOverlay.h"
#include "CStoneTypes.h"
#include "CGridView.h"
#include "PlaceStoneEventHandler.h"

namespace {

class OverlayTest : public GameFixture {
protected:
    CGameOverlay* Overlay() { return Controller()->gridView->overlay; }
    // The middle of a button of the right panel, in window fractions.
    static void ButtonCentre(float buttonY, float* x, float* y)
    {
        *x = 0.82f + 0.16f * 0.5f;
        *y = 0.02f + 0.8f * (buttonY + 0.021f);
    }
};

TEST_F(OverlayTest, TextsOfMovesLevelAndModeFollowTheGame)
{
    TestLevel level;
    level.placeable = { STONE_RED };
    Open({ level });
    Controller()->StartGame();
    struct Case { int moves; const char* shown; };
    const Case cases[] = { { 7, "0007" }, { 0, "0000" }, { 123, "0123" }, { 12345, "12345" } };
    for (const Case& c : cases) {
        Overlay()->SetMoves(c.moves);
        EXPECT_STREQ(c.shown, Overlay()->moveCounter->GetText());
    }
    Overlay()->SetLevel(12);
    EXPECT_STREQ("Level 12", Overlay()->levelLabel->GetText());

    EXPECT_STREQ("Ziehen", Overlay()->modeButton->GetText());
    Controller()->RestartLevel();
    app->Step(2);
    EXPECT_STREQ("plazieren", Overlay()->modeButton->GetText());
    app->PressKey(TEST_DIK_SPACE);
    EXPECT_STREQ("ziehen", Overlay()->modeButton->GetText());
    float x, y;
    ButtonCentre(0.75f, &x, &y);
    app->Click(x, y);
    EXPECT_EQ(CGameController::MODE_PLACE, Controller()->mode);
    EXPECT_STREQ("plazieren", Overlay()->modeButton->GetText());
    // The mode button works also while a window holds the input.
    Controller()->running = 0;
    app->Click(x, y);
    EXPECT_STREQ("ziehen", Overlay()->modeButton->GetText());
}

TEST_F(OverlayTest, ResetAndExitOpenOneQuestionThatOutlivesTheOverlaySafely)
{
    Open();
    Controller()->StartGame();
    app->Step(1);
    int scene = SceneObjects();
    float x, y;
    ButtonCentre(0.8f, &x, &y);
    app->Click(x, y);
    app->Step(1);
    EXPECT_EQ(0, Controller()->running);
    EXPECT_EQ(scene + 1, SceneObjects());
    // While a question is open the buttons open no second one.
    app->Click(x, y);
    ButtonCentre(0.9f, &x, &y);
    app->Click(x, y);
    app->Step(1);
    EXPECT_EQ(scene + 1, SceneObjects());

    // The game ends (as when the question's OK leads to the main menu) while
    // the question is still up; the question then goes with the scene and
    // reaches no overlay, and the input stays off.
    Controller()->EndGame();
    app->Step(2);
    app->PressKey(TEST_DIK_ESCAPE);
    app->StepSeconds(2.0f);
    EXPECT_EQ(0, Controller()->running);
}

// A frame of the game with the overlay and the place tool's preview over an
// empty cell: the preview shows the next stone's colour through the board.
TEST_F(OverlayTest, FrameShowsOverlayAndTranslucentPreview)
{
    TestLevel level;
    level.placeable = { STONE_RED };
    Open({ level });
    StartAndSettle();
    float x, y;
    ASSERT_TRUE(app->FindCellPointer(2, 2, &x, &y));
    float px, py;
    ASSERT_TRUE(app->StoneTopToWindow(2, 2, 0, &px, &py));

    Image without;
    ASSERT_TRUE(app->Capture(folder->GetPreviousFolder() + "/game_play_board.png", without));
    app->MoveMouse(x, y);
    app->Step(1);
    Image with;
    ASSERT_TRUE(app->Capture(folder->GetPreviousFolder() + "/game_play_preview.png", with));

    int ix = (int)(px * with.width), iy = (int)(py * with.height);
    uint32_t before = without.Pixel(ix, iy), after = with.Pixel(ix, iy);
    int redGain = (int)((after >> 16) & 0xFF) - (int)((before >> 16) & 0xFF);
    int blueGain = (int)(after & 0xFF) - (int)(before & 0xFF);
    EXPECT_GT(redGain, blueGain + 10) << std::hex << before << " -> " << after;
    // Translucent: the board still shows through, the pixel is no plain stone colour.
    EXPECT_NE(before, after);

    // The right panel darkens the scene behind it a little and carries its frame.
    int panelX = (int)(0.9f * with.width);
    int panelY = (int)(0.6f * with.height);
    EXPECT_NE(0u, with.Pixel(panelX, panelY) & 0xFFFFFF);
}

} // namespace
