// Game data and the level goals.
#include <gtest/gtest.h>

#include "AllStonesRemovedFC.h"
#include "CGameData.h"
#include "CGrid.h"
#include "CSpecialFieldFC.h"
#include "CSpecialStoneComboFC.h"
#include "CStoneTypes.h"
#include "PuzzleTestHelpers.h"

namespace {

struct Game
{
    CGameData data { 6 };
    CGrid* board() { return data.board; }
};

} // namespace

TEST(PuzzleFinishChecker, SpecialFieldGoal)
{
    Game game;
    EXPECT_EQ(0, game.data.moves);
    EXPECT_EQ(6, game.data.size);
    EXPECT_EQ(540, game.board()->cellCount);

    CSpecialFieldFC goal;
    EXPECT_EQ(1, goal.IsFinished(&game.data));    // no target field at all

    game.board()->SetField(1, 1, FIELD_SPECIAL_TARGET);
    game.board()->SetField(4, 2, FIELD_SPECIAL_TARGET);
    game.board()->SetField(0, 0, 7);                   // another field value is no target
    Fill(*game.board(), { { 1, 1, { STONE_SPECIAL } } });
    EXPECT_EQ(0, goal.IsFinished(&game.data));

    // A special stone on a block over the target does not count.
    Fill(*game.board(), { { 4, 2, { STONE_BLOCK, STONE_SPECIAL } } });
    EXPECT_EQ(0, goal.IsFinished(&game.data));
    game.board()->RemoveStone(4, 2, 0);
    EXPECT_EQ(1, goal.IsFinished(&game.data));
    EXPECT_EQ(0, goal.IsLost(&game.data));
}

TEST(PuzzleFinishChecker, AllStonesRemovedAndSpecialStoneComboGoals)
{
    Game game;
    AllStonesRemovedFC allRemoved;
    EXPECT_EQ(1, allRemoved.IsFinished(&game.data));
    for (int type : { STONE_BLOCK, STONE_SPECIAL }) {
        Fill(*game.board(), { { 0, 0, { type } } });
        EXPECT_EQ(0, allRemoved.IsFinished(&game.data)) << type;
        game.board()->Clear();
    }

    CSpecialStoneComboFC combo;
    Fill(*game.board(), { { 0, 5, { STONE_SPECIAL } }, { 1, 5, { STONE_SPECIAL } }, { 2, 5, { STONE_SPECIAL } } });
    EXPECT_EQ(0, combo.IsFinished(&game.data));
    Fill(*game.board(), { { 3, 5, { STONE_SPECIAL } } });
    EXPECT_EQ(1, combo.IsFinished(&game.data));
    EXPECT_EQ(0, allRemoved.IsLost(&game.data));
    EXPECT_EQ(0, combo.IsLost(&game.data));
}

TEST(PuzzleFinishChecker, NoGameIsNeverFinished)
{
    // No game data, or game data whose board is gone: no goal is met.
    CGameData boardless(6);
    delete boardless.board;
    boardless.board = nullptr;
    CSpecialFieldFC special;
    AllStonesRemovedFC allRemoved;
    CSpecialStoneComboFC combo;
    CAbstractFinishChecker* goals[] = { &special, &allRemoved, &combo };
    for (CAbstractFinishChecker* goal : goals) {
        EXPECT_EQ(0, goal->IsFinished(nullptr));
        EXPECT_EQ(0, goal->IsFinished(&boardless));
        EXPECT_EQ(0, goal->IsLost(nullptr));
    }
}
