#include "GamePlaySupport.h"

#include "C3DStaticText.h"
#include "C3DTextButton.h"
#include "C3DWindow.h"
#include "CGameController.h"
#include "CGameData.h"
#include "CGrid.h"
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

// The right panel's captions and button labels, top to bottom, before a level starts.
TEST_F(OverlayTest, RightPanelShowsItsCaptionsAndButtonLabels)
{
    Open();
    Controller()->StartGame();
    std::vector<std::string> texts;
    C3DWindow* panel = Overlay()->rightPanel;
    for (int i = 0; i < panel->GetSubWindowCount(); i++) {
        C3DWindow* child = panel->GetSubWindow(i);
        if (C3DStaticText* label = dynamic_cast<C3DStaticText*>(child))
            texts.push_back(label->GetText());
        else if (C3DTextButton* button = dynamic_cast<C3DTextButton*>(child))
            texts.push_back(button->GetText());
    }
    EXPECT_EQ(std::vector<std::string>({ "Level", "Moves", "0000", "Ziehen", "Reset", "Optionen", "Exit" }), texts);
}

// A click beside the board is silent; placing, a burst, the mode button and
// sliding each play their own sound.
TEST_F(OverlayTest, ToolsBurstsAndTheModeButtonEachPlayTheirOwnSound)
{
    TestLevel level;
    level.placeable = { STONE_RED, STONE_GREEN };
    level.stones = { { 0, 0, 0, STONE_RED }, { 1, 0, 0, STONE_RED }, { 2, 0, 0, STONE_RED }, { 4, 4, 0, STONE_BLUE } };
    level.fields = { { 5, 5, 0, FIELD_SPECIAL_TARGET } };   // not won on the way
    Open({ level });
    StartAndSettle();
    ASSERT_NO_FATAL_FAILURE(QuietSounds());
    app->Click(0.01f, 0.01f);
    EXPECT_EQ(std::vector<std::string>(), SoundsPlaying());
    ClickCell(3, 0);
    EXPECT_EQ(std::vector<std::string>({ "GAME_PLACE" }), SoundsPlaying());

    QuietSounds();
    ASSERT_TRUE(app->StepUntil([&] { return Board()->stoneCount == 1; }, 1.0f));
    EXPECT_EQ(std::vector<std::string>({ "GAME_EXPLO" }), SoundsPlaying());

    QuietSounds();
    float x, y;
    ButtonCentre(0.75f, &x, &y);
    app->Click(x, y);
    EXPECT_EQ(CGameController::MODE_SLIDE, Controller()->mode);
    EXPECT_EQ(std::vector<std::string>({ "MENU_CLICK" }), SoundsPlaying());

    QuietSounds();
    SlideWithPointer(4, 4, 2);
    EXPECT_EQ(std::vector<std::string>({ "GAME_MOVE" }), SoundsPlaying());
}

// Options open one window however often pressed; closing it, or answering
// the reset question, gives the input back. The reset question's OK starts
// the level again and does not end the game; the exit question's OK does.
TEST_F(OverlayTest, OptionsResetAndExitOpenTheirOwnWindows)
{
    TestLevel level;
    level.placeable = { STONE_RED, STONE_RED };
    level.fields = { { 5, 5, 0, FIELD_SPECIAL_TARGET } };
    Open({ level });
    StartAndSettle();
    int scene = SceneObjects();
    float x, y;
    ButtonCentre(0.85f, &x, &y);
    app->Click(x, y);
    app->Step(1);
    // The open window takes the pointer: the second press comes as the button's action.
    Overlay()->options_ActionPerformed(CActionEvent(nullptr, 0));
    app->Step(1);
    EXPECT_EQ(scene + 1, SceneObjects());
    EXPECT_EQ(0, Controller()->running);
    app->PressKey(TEST_DIK_ESCAPE);
    app->StepSeconds(1.0f);
    EXPECT_EQ(scene, SceneObjects());
    EXPECT_EQ(1, Controller()->running);

    ClickCell(2, 2);
    ASSERT_EQ(1, Controller()->gameData->moves);
    app->actions.clear();
    ButtonCentre(0.8f, &x, &y);
    app->Click(x, y);
    app->Step(1);
    ASSERT_EQ(0, Controller()->running);
    app->PressKey(TEST_DIK_RETURN);
    app->StepSeconds(1.0f);
    EXPECT_TRUE(app->actions.empty());
    EXPECT_EQ(0, Controller()->gameData->moves);
    EXPECT_EQ(0, Board()->GetHeight(2, 2));
    EXPECT_EQ(1, Controller()->running);

    ButtonCentre(0.9f, &x, &y);
    app->Click(x, y);
    app->Step(1);
    app->PressKey(TEST_DIK_RETURN);
    EXPECT_EQ(std::vector<int>({ CGameController::ACTION_MAIN_MENU }), app->actions);
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
