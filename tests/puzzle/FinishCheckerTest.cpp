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

class PuzzleFinishChecker : public ::testing::Test
{
protected:
    void SetUp() override
    {
        controller = CGameController::GetInstance();
        controller->gameData = new CGameData(6);
        board = controller->gameData->board;
    }

    void TearDown() override
    {
        delete controller->gameData;
        controller->gameData = nullptr;
    }

    CGameController* controller;
    CGrid* board;
};

} // namespace

TEST_F(PuzzleFinishChecker, SpecialFieldGoal)
{
    EXPECT_EQ(0, controller->gameData->moves);
    EXPECT_EQ(6, controller->gameData->size);
    EXPECT_EQ(540, board->cellCount);

    CSpecialFieldFC goal;
    EXPECT_EQ(1, goal.IsFinished(controller));    // no target field at all

    board->SetField(1, 1, FIELD_SPECIAL_TARGET);
    board->SetField(4, 2, FIELD_SPECIAL_TARGET);
    board->SetField(0, 0, 7);                     // another field value is no target
    Fill(*board, { { 1, 1, { STONE_SPECIAL } } });
    EXPECT_EQ(0, goal.IsFinished(controller));

    // A special stone on a block over the target does not count.
    Fill(*board, { { 4, 2, { STONE_BLOCK, STONE_SPECIAL } } });
    EXPECT_EQ(0, goal.IsFinished(controller));

    board->RemoveStone(4, 2, 0);
    EXPECT_EQ(1, goal.IsFinished(controller));
    EXPECT_EQ(0, goal.IsLost(controller));
}

TEST_F(PuzzleFinishChecker, AllStonesRemovedAndSpecialStoneComboGoals)
{
    AllStonesRemovedFC allRemoved;
    EXPECT_EQ(1, allRemoved.IsFinished(controller));
    for (int type : { STONE_BLOCK, STONE_SPECIAL }) {
        Fill(*board, { { 0, 0, { type } } });
        EXPECT_EQ(0, allRemoved.IsFinished(controller)) << type;
        board->Clear();
    }

    CSpecialStoneComboFC combo;
    Fill(*board, { { 0, 5, { STONE_SPECIAL } }, { 1, 5, { STONE_SPECIAL } }, { 2, 5, { STONE_SPECIAL } } });
    EXPECT_EQ(0, combo.IsFinished(controller));
    Fill(*board, { { 3, 5, { STONE_SPECIAL } } });
    EXPECT_EQ(1, combo.IsFinished(controller));
    EXPECT_EQ(0, allRemoved.IsLost(controller));
    EXPECT_EQ(0, combo.IsLost(controller));
}

TEST(PuzzleFinishCheckerWithoutGame, NoBoardIsNeverFinished)
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
