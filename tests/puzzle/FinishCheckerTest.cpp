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

// Target fields in the four corners: any one of them left uncovered keeps the
// level open. Field values other than the target's, those of the supply from
// 1000 on included, ask for nothing.
TEST(PuzzleFinishChecker, TargetFieldsUpToTheEdgesAndNoOtherFieldValue)
{
    Game game;
    CSpecialFieldFC goal;
    const int corners[4][2] = { { 0, 0 }, { 5, 0 }, { 0, 5 }, { 5, 5 } };
    for (int open = 0; open < 4; open++) {
        game.board()->Clear();
        for (int c = 0; c < 4; c++) {
            game.board()->SetField(corners[c][0], corners[c][1], FIELD_SPECIAL_TARGET);
            if (c != open)
                game.board()->PlaceStone(corners[c][0], corners[c][1], STONE_SPECIAL, 0.0f);
        }
        EXPECT_EQ(0, goal.IsFinished(&game.data)) << "corner " << open << " uncovered";
    }

    game.board()->Clear();
    game.board()->ClearFields();
    game.board()->SetField(2, 3, FIRST_FIELD_VALUE);
    game.board()->SetField(3, 2, FIELD_SPECIAL_TARGET + 1);
    EXPECT_EQ(1, goal.IsFinished(&game.data));
}
