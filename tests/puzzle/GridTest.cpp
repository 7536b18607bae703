// Board: random types, lookups, sliding and the refusal of stones off the
// board or on a full column.
#include <climits>
#include <cstdlib>
#include <set>

#include <gtest/gtest.h>

#include "CGrid.h"
#include "CStoneTypes.h"
#include "PuzzleTestHelpers.h"

TEST(PuzzleGrid, RandomTypeDrawsEveryCountedTypeAndForgetsRemovedOnes)
{
    CGrid grid(6, 6, 6);
    Fill(grid, { { 0, 0, { STONE_SPECIAL, STONE_BLOCK } } });
    EXPECT_EQ(-1, grid.GetRandomType());

    Fill(grid, { { 1, 0, { STONE_RED, STONE_RED, STONE_RED } }, { 2, 0, { STONE_BLUE } } });
    srand(7);
    std::set<int> drawn;
    for (int i = 0; i < 200; i++)
        drawn.insert(grid.GetRandomType());
    EXPECT_EQ((std::set<int>{ STONE_BLUE, STONE_RED }), drawn);

    grid.RemoveStone(2, 0, 0);
    EXPECT_EQ(0u, grid.typeCounts.count(STONE_BLUE));
    for (int i = 0; i < 50; i++)
        EXPECT_EQ(STONE_RED, grid.GetRandomType());
}

TEST(PuzzleGrid, MoveStoneCarriesTheRecordToAFreeCell)
{
    CGrid grid(6, 6, 6);
    Fill(grid, { { 0, 0, { 2, 4 } }, { 1, 0, { 3 } } });
    CStoneInfo* moving = grid.cells[36];

    grid.MoveStone(0, 0, 1, 1, 0, 1);

    EXPECT_EQ(moving, grid.cells[1 + 36]);
    EXPECT_EQ("0,0:2 1,0:3 4 n3 {2:1 3:1 4:1}", BoardText(grid));
    EXPECT_EQ(1, moving->moved);

    // From an empty cell, off the board, onto a taken cell or onto itself:
    // nothing moves and no record is lost.
    CStoneInfo* below = grid.cells[1];
    grid.MoveStone(3, 3, 0, 4, 3, 0);
    grid.MoveStone(1, 0, 1, 6, 0, 1);
    grid.MoveStone(1, 0, 1, 1, -1, 1);
    grid.MoveStone(1, 0, 1, 1, 0, 0);
    grid.MoveStone(1, 0, 1, 1, 0, 1);
    EXPECT_EQ(moving, grid.cells[1 + 36]);
    EXPECT_EQ(below, grid.cells[1]);
    EXPECT_EQ("0,0:2 1,0:3 4 n3 {2:1 3:1 4:1}", BoardText(grid));
}

TEST(PuzzleGrid, FullColumnRefusesASixteenthStone)
{
    CGrid grid(6, 6, 6);
    for (int i = 0; i < 15; i++)
        grid.PlaceStone(5, 5, STONE_BLOCK, 0.0f);
    srand(3);
    int expected = rand();
    srand(3);

    grid.PlaceStone(5, 5, STONE_RED, 0.0f);

    EXPECT_EQ(expected, rand());    // no name was drawn
    EXPECT_EQ("5,5:1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 n15 {}", BoardText(grid));
}

TEST(PuzzleGrid, CoordinatesOffTheBoardWriteNothing)
{
    CGrid grid(6, 6, 6);
    grid.PlaceStone(2, 2, STONE_RED, 0.0f);
    const int outside[][2] = { { -1, 0 }, { 6, 0 }, { 0, -1 }, { 0, 6 }, { 100, 100 }, { -100, 3 } };
    for (const int* c : outside) {
        grid.PlaceStone(c[0], c[1], STONE_BLUE, 0.0f);
        grid.SetField(c[0], c[1], FIELD_SPECIAL_TARGET);
        grid.RemoveStone(c[0], c[1], 0);
        grid.SetStoneValue(c[0], c[1], 0, 1);
    }
    grid.RemoveStone(2, 2, -1);
    grid.RemoveStone(2, 2, 15);
    grid.SetStoneValue(2, 2, -36 * 3, 1);
    grid.SetStoneValue(2, 2, 15, 1);

    EXPECT_EQ("2,2:4 n1 {4:1}", BoardText(grid));
    EXPECT_EQ(0, grid.cells[2 + 2 * 6]->targetState);
    for (int x = 0; x < 6; x++)
        for (int y = 0; y < 6; y++)
            EXPECT_EQ(0, grid.fields[x][y]);
    grid.SetStoneValue(2, 2, 0, 1);
    EXPECT_EQ(1, grid.cells[2 + 2 * 6]->targetState);

    // A board that is not square keeps its columns apart.
    CGrid narrow(3, 5, 0);
    EXPECT_EQ(15, narrow.depth);
    EXPECT_EQ(3 * 5 * 15, narrow.cellCount);
    narrow.PlaceStone(2, 4, STONE_RED, 0.0f);
    narrow.SetField(2, 4, 9);
    EXPECT_EQ("2,4,0 4", RecordText(*narrow.cells[2 + 4 * 3]));
    EXPECT_EQ(9, narrow.fields[2][4]);
    EXPECT_EQ(-1, narrow.GetHeight(3, 0));
    EXPECT_EQ(-1, narrow.GetHeight(0, 5));
}
