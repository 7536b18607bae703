#include "GamePlaySupport.h"

#include "C3DStaticText.h"
#include "CGameController.h"
#include "CGameData.h"
#include "CGameOverlay.h"
#include "CGrid.h"
#include "CGridView.h"
#include "CLevelLoader.h"
#include "CScore.h"
#include "CMoveStoneEventHandler.h"
#include "CStoneTypes.h"

namespace {

// One move: place the next stone on column (x, y), or slide the stone at
// (x, y, layer 0) in a direction (0 row + 1, 1 column - 1, 2 row - 1, 3 column + 1).
struct Move { bool place; int x, y, direction; };

Move Place(int x, int y) { return { true, x, y, 0 }; }
Move Slide(int x, int y, int direction) { return { false, x, y, direction }; }

// Winning moves of the first levels of media/levels.xml, as the level checker finds them.
const std::vector<std::vector<Move> > WINS = {
    { Slide(1, 2, 3) },
    { Slide(0, 1, 3) },
    { Slide(1, 1, 3), Slide(5, 1, 0) },
    { Place(1, 1) },
    { Place(3, 1), Place(3, 2) },
};
const size_t CONTROLLER_LEVELS = 3;

class ShippedLevelsTest : public GameFixture {
protected:
    CMoveStoneEventHandler* SlideTool() { return static_cast<CMoveStoneEventHandler*>(Controller()->handlers[1]); }

    // After the winning move: the overlay, its picture clicked away, a name,
    // the fade, and the next level started with input back on.
    void FinishLevel(int next)
    {
        ASSERT_TRUE(app->StepUntil([&] { return Controller()->won == 1 && Controller()->running == 0; }, 1.5f));
        app->StepSeconds(0.6f);
        app->Click(0.5f, 0.5f);
        app->StepSeconds(0.7f);
        app->TypeText("Test");
        app->PressKey(TEST_DIK_RETURN);
        ASSERT_TRUE(app->StepUntil([&] { return Controller()->levelLoader->current == next &&
                                                Controller()->running == 1; }, 3.0f));
        EXPECT_EQ(0, Controller()->gameData->moves);
        app->StepSeconds(3.2f);
        Controller()->won = 0;
    }
    void ExpectScore(int level, int moves)
    {
        CScore* entry = Controller()->highScore.GetScore(1, level);
        ASSERT_NE(nullptr, entry);
        EXPECT_EQ(moves, entry->score);
    }
};

TEST_F(ShippedLevelsTest, FirstThreeLevelsWonThroughTheControllersOperations)
{
    Open(nullptr, HighScoreText({}).c_str());
    Controller()->levelLoader->current = 1;
    Controller()->levelLoader->last = 1;
    StartAndSettle();
    for (size_t level = 0; level < CONTROLLER_LEVELS; level++) {
        ASSERT_EQ((int)level + 1, Controller()->levelLoader->current);
        ASSERT_EQ(CGameController::MODE_SLIDE, Controller()->mode);
        for (const Move& move : WINS[level]) {
            CStoneInfo stone = Board()->GetStoneInfo(move.x, move.y, 0);
            ASSERT_EQ(STONE_SPECIAL, stone.type) << "level " << level + 1;
            ASSERT_EQ(1, SlideTool()->SlideStone(move.direction, stone));
            Controller()->gameData->moves++;
            Controller()->StartComboTimer();
            app->StepSeconds(0.4f);
        }
        FinishLevel((int)level + 2);
        ExpectScore((int)level + 1, (int)WINS[level].size());
    }
    EXPECT_EQ(3, Controller()->levelLoader->completed);
}

TEST_F(ShippedLevelsTest, FirstLevelsWonWithPointerEvents)
{
    Open(nullptr, HighScoreText({}).c_str());
    Controller()->levelLoader->current = 1;
    Controller()->levelLoader->last = 1;
    StartAndSettle();
    for (size_t level = 0; level < WINS.size(); level++) {
        int moves = 0;
        for (const Move& move : WINS[level]) {
            float x, y;
            if (move.place) {
                ASSERT_EQ(CGameController::MODE_PLACE, Controller()->mode) << "level " << level + 1;
                ASSERT_TRUE(app->FindCellPointer(move.x, move.y, &x, &y));
            } else {
                if (Controller()->mode != CGameController::MODE_SLIDE)
                    app->PressKey(TEST_DIK_SPACE);
                ASSERT_TRUE(app->FindSlidePointer(move.x, move.y, move.direction, &x, &y)) << "level " << level + 1;
                app->MoveMouse(x, y);
                ASSERT_EQ(CMoveStoneEventHandler::MARKER_ARROW, SlideTool()->markerIndex);
                ASSERT_EQ(move.direction, SlideTool()->direction);
            }
            app->Click(x, y);
            moves++;
            EXPECT_EQ(moves, Controller()->gameData->moves);
            std::string shown = "000" + std::to_string(moves);
            EXPECT_STREQ(shown.c_str(), Controller()->gridView->overlay->moveCounter->GetText());
            app->StepSeconds(0.4f);
        }
        FinishLevel((int)level + 2);
        ExpectScore((int)level + 1, moves);
    }
}

} // namespace
