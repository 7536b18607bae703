// Game data and the level goals.
#include <gtest/gtest.h>

#include "AllStonesRemovedFC.h"
#include "CGameController.h"
#include "CGameData.h"
#include "CGrid.h"
#include "CSpecialFieldFC.h"
#include "CSpecialStoneComboFC.h"
#include "CStoneTypes.h"
#include "PuzzleTestHelpers.h"

namespace {

// A running game's data on the controller for the life of the object.
struct Game
{
    Game() { controller->gameData = new CGameData(6); }
    ~Game()
    {
        delete controller->gameData;
        controller->gameData = nullptr;
    }

    CGameController* controller = CGameController::GetInstance();
    CGrid* board() { return controller->gameData->board; }
};

} // namespace

TEST(PuzzleFinishChecker, SpecialFieldGoal)
{
    Game game;
    EXPECT_EQ(0, game.controller->gameData->moves);
    EXPECT_EQ(6, game.controller->gameData->size);
    EXPECT_EQ(540, game.board()->cellCount);

    CSpecialFieldFC goal;
    EXPECT_EQ(1, goal.IsFinished(game.controller));    // no target field at all

    game.board()->SetField(1, 1, FIELD_SPECIAL_TARGET);
    game.board()->SetField(4, 2, FIELD_SPECIAL_TARGET);
    game.board()->SetField(0, 0, 7);                   // another field value is no target
    Fill(*game.board(), { { 1, 1, { STONE_SPECIAL } } });
    EXPECT_EQ(0, goal.IsFinished(game.controller));

    // A special stone on a block over the target does not count.
    Fill(*game.board(), { { 4, 2, { STONE_BLOCK, STONE_SPECIAL } } });
    EXPECT_EQ(0, goal.IsFinished(game.controller));
    game.board()->RemoveStone(4, 2, 0);
    EXPECT_EQ(1, goal.IsFinished(game.controller));
    EXPECT_EQ(0, goal.IsLost(game.controller));
}

TEST(PuzzleFinishChecker, AllStonesRemovedAndSpecialStoneComboGoals)
{
    Game game;
    AllStonesRemovedFC allRemoved;
    EXPECT_EQ(1, allRemoved.IsFinished(game.controller));
    for (int type : { STONE_BLOCK, STONE_SPECIAL }) {
        Fill(*game.board(), { { 0, 0, { type } } });
        EXPECT_EQ(0, allRemoved.IsFinished(game.controller)) << type;
        game.board()->Clear();
    }

    CSpecialStoneComboFC combo;
    Fill(*game.board(), { { 0, 5, { STONE_SPECIAL } }, { 1, 5, { STONE_SPECIAL } }, { 2, 5, { STONE_SPECIAL } } });
    EXPECT_EQ(0, combo.IsFinished(game.controller));
    Fill(*game.board(), { { 3, 5, { STONE_SPECIAL } } });
    EXPECT_EQ(1, combo.IsFinished(game.controller));
    EXPECT_EQ(0, allRemoved.IsLost(game.controller));
    EXPECT_EQ(0, combo.IsLost(game.controller));
}

TEST(PuzzleFinishChecker, NoGameIsNeverFinished)
{
    CSpecialFieldFC special;
    AllStonesRemovedFC allRemoved;
    CSpecialStoneComboFC combo;
    CAbstractFinishChecker* goals[] = { &special, &allRemoved, &combo };
    for (CAbstractFinishChecker* goal : goals) {
        EXPECT_EQ(0, goal->IsFinished(nullptr));
        EXPECT_EQ(0, goal->IsFinished(CGameController::GetInstance()));
        EXPECT_EQ(0, goal->IsLost(nullptr));
    }
}
