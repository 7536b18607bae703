#include "GamePlaySupport.h"

#include "CGameController.h"
#include "CGameData.h"
#include "CLevelLoader.h"
#include "CScore.h"

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

class ShippedLevelsTest : public GameFixture {};

// The first shipped levels won through pointer events: the tools, the
// controller, the overlay's move count, then the level-finished picture, a
// name for the new best, the fade and the next level with input back on.
TEST_F(ShippedLevelsTest, FirstLevelsWonWithPointerEvents)
{
    Open(nullptr, HighScoreText({}).c_str());
    Controller()->levelLoader->current = 1;
    Controller()->levelLoader->last = 1;
    StartAndSettle();
    for (size_t level = 0; level < WINS.size(); level++) {
        SCOPED_TRACE(level + 1);
        int moves = 0;
        for (const Move& move : WINS[level]) {
            if (move.place) {
                ASSERT_EQ(CGameController::MODE_PLACE, Controller()->mode);
                ClickCell(move.x, move.y);
            } else {
                if (Controller()->mode != CGameController::MODE_SLIDE)
                    app->PressKey(TEST_DIK_SPACE);
                ASSERT_NO_FATAL_FAILURE(SlideWithPointer(move.x, move.y, move.direction));
            }
            moves++;
            EXPECT_EQ(moves, Controller()->gameData->moves);
            EXPECT_EQ("000" + std::to_string(moves), MovesShown());
            app->StepSeconds(0.4f);
        }
        ASSERT_TRUE(app->StepUntil([&] { return Controller()->won == 1 && Controller()->running == 0; }, 1.5f));
        app->StepSeconds(0.6f);
        app->Click(0.5f, 0.5f);
        app->StepSeconds(0.7f);
        app->TypeText("Test");
        app->PressKey(TEST_DIK_RETURN);
        ASSERT_TRUE(app->StepUntil([&] { return Controller()->levelLoader->current == (int)level + 2 &&
                                                Controller()->running == 1; }, 3.0f));
        EXPECT_EQ(0, Controller()->gameData->moves);
        CScore* entry = Controller()->highScore.GetScore(CScore::MODE_PUZZLE, (int)level + 1);
        ASSERT_NE(nullptr, entry);
        EXPECT_EQ(moves, entry->score);
        app->StepSeconds(3.2f);
        Controller()->won = 0;
    }
    EXPECT_EQ((int)WINS.size(), Controller()->levelLoader->completed);
}

} // namespace
