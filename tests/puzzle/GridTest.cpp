// Board: placement, sorting, counts, removal with gravity, lookups, sliding
// and the refusal of stones off the board or on a full column.
#include <cstdlib>
#include <set>

#include <gtest/gtest.h>

#include "CGrid.h"
#include "CStoneTypes.h"
#include "PuzzleTestHelpers.h"

TEST(PuzzleGrid, PlacementSortsByTypeAndCountsColours)
{
    CGrid grid(6, 6, 6);
    grid.PlaceStone(0, 0, STONE_GREEN, 0.0f);
    grid.PlaceStone(1, 0, STONE_YELLOW, 0.0f);
    grid.PlaceStone(2, 0, STONE_GREEN, 0.0f);

    ASSERT_EQ(3, grid.GetStoneCount());
    EXPECT_EQ(STONE_YELLOW, grid.sortedStones[0]->type);
    // The newer green stone stands before the older one.
    EXPECT_EQ(2, grid.sortedStones[1]->x);
    EXPECT_EQ(0, grid.sortedStones[2]->x);
    EXPECT_EQ(nullptr, grid.sortedStones[3]);
    EXPECT_EQ((std::map<int, int>{ { 3, 2 }, { 5, 1 } }), grid.typeCounts);
}

TEST(PuzzleGrid, PlacedStoneTakesTopOfColumn)
{
    CGrid grid(6, 6, 6);
    PlaceColumn(grid, 3, 4, { 2, 4, 2 });
    EXPECT_EQ(3, grid.GetHeight(3, 4));
    CStoneInfo top = grid.GetStoneInfo(3, 4, 2);
    EXPECT_EQ(3, top.x);
    EXPECT_EQ(4, top.y);
    EXPECT_EQ(2, top.z);
    EXPECT_EQ(1, grid.cells[3 + 4 * 6 + 2 * 36]->sideExposed);
    // The name is a decimal number below 10^9.
    EXPECT_FALSE(top.name.empty());
    EXPECT_EQ(std::string::npos, top.name.find_first_not_of("0123456789"));
}

TEST(PuzzleGrid, SpecialAndBlockAreNotCounted)
{
    CGrid grid(6, 6, 6);
    grid.PlaceStone(0, 0, STONE_SPECIAL, 0.0f);
    grid.PlaceStone(1, 0, STONE_BLOCK, 0.0f);
    EXPECT_TRUE(grid.typeCounts.empty());
    EXPECT_EQ(-1, grid.GetRandomType());
    EXPECT_EQ(2, grid.GetStoneCount());
}

TEST(PuzzleGrid, RandomTypeDrawsEveryCountedTypeAndForgetsRemovedOnes)
{
    CGrid grid(6, 6, 6);
    PlaceColumn(grid, 0, 0, { STONE_RED, STONE_RED, STONE_RED });
    grid.PlaceStone(1, 0, STONE_BLUE, 0.0f);
    srand(7);
    std::set<int> drawn;
    for (int i = 0; i < 200; i++)
        drawn.insert(grid.GetRandomType());
    EXPECT_EQ((std::set<int>{ STONE_BLUE, STONE_RED }), drawn);

    grid.RemoveStone(1, 0, 0);
    EXPECT_EQ(0u, grid.typeCounts.count(STONE_BLUE));
    for (int i = 0; i < 50; i++)
        EXPECT_EQ(STONE_RED, grid.GetRandomType());
}

TEST(PuzzleGrid, RemovalLetsTheStonesAboveFall)
{
    CGrid grid(6, 6, 6);
    PlaceColumn(grid, 2, 2, { 2, 4, 2 });
    CStoneInfo* middle = grid.cells[2 + 2 * 6 + 1 * 36];
    CStoneInfo* top = grid.cells[2 + 2 * 6 + 2 * 36];
    middle->reposition = 0;
    top->reposition = 0;

    grid.RemoveStone(2, 2, 0);

    EXPECT_EQ("4 2", ColumnText(grid, 2, 2));
    EXPECT_EQ(2, grid.GetHeight(2, 2));
    EXPECT_EQ(middle, grid.cells[2 + 2 * 6]);
    EXPECT_EQ(0, middle->z);
    EXPECT_EQ(1, top->z);
    EXPECT_EQ(1, middle->reposition);
    EXPECT_EQ(1, top->reposition);
    EXPECT_EQ(nullptr, grid.cells[2 + 2 * 6 + 2 * 36]);
    EXPECT_EQ(2, grid.GetStoneCount());
    EXPECT_EQ(1, grid.typeCounts[2]);
    // The sorted list closes up behind the removed stone.
    EXPECT_EQ(STONE_RED, grid.sortedStones[0]->type);
    EXPECT_EQ(STONE_BLUE, grid.sortedStones[1]->type);
    EXPECT_EQ(nullptr, grid.sortedStones[2]);
}

TEST(PuzzleGrid, RemovalOfEmptyCellChangesNothing)
{
    CGrid grid(6, 6, 6);
    PlaceColumn(grid, 0, 0, { 2 });
    grid.RemoveStone(0, 0, 1);
    grid.RemoveStone(1, 1, 0);
    EXPECT_EQ(1, grid.GetStoneCount());
    EXPECT_EQ(1, grid.GetHeight(0, 0));
}

TEST(PuzzleGrid, LookupOfEmptyOrOutsideCellGivesErrorRecord)
{
    CGrid grid(6, 6, 6);
    for (CStoneInfo info : { grid.GetStoneInfo(0, 0, 0), grid.GetStoneInfo(-1, 0, 0),
                             grid.GetStoneInfo(0, 0, 15), grid.GetStoneInfo(5, 5, 14) }) {
        EXPECT_EQ(EMPTY_CELL, info.x);
        EXPECT_EQ(EMPTY_CELL, info.y);
        EXPECT_EQ(EMPTY_CELL, info.z);
        EXPECT_EQ(EMPTY_CELL, info.type);
        EXPECT_EQ("ERROR", info.name);
    }
    // The lookup goes by index: one past the last column is the next row's first.
    grid.PlaceStone(0, 1, STONE_RED, 0.0f);
    EXPECT_EQ(STONE_RED, grid.GetStoneInfo(6, 0, 0).type);
    EXPECT_EQ(-1, grid.GetHeight(6, 0));
    EXPECT_EQ(-1, grid.GetHeight(0, -1));
}

TEST(PuzzleGrid, LookupIsACopyWithoutVisibilityFlags)
{
    CGrid grid(6, 6, 6);
    grid.PlaceStone(1, 2, STONE_GREEN, 0.0f);
    CStoneInfo* record = grid.cells[1 + 2 * 6];
    record->drawn = 1;
    {
        CStoneInfo copy = grid.GetStoneInfo(1, 2, 0);
        EXPECT_EQ(0, copy.sideExposed);
        EXPECT_EQ(0, copy.drawn);
        EXPECT_EQ(record->name, copy.name);
        copy.type = STONE_RED;
    }
    EXPECT_EQ(STONE_GREEN, record->type);
    EXPECT_EQ(1, record->sideExposed);
    EXPECT_EQ(1, record->drawn);
}

TEST(PuzzleGrid, ClearKeepsFieldsAndClearFieldsKeepsStones)
{
    CGrid grid(6, 6, 6);
    PlaceColumn(grid, 1, 1, { 2, 3 });
    grid.SetField(1, 1, FIELD_SPECIAL_TARGET);
    grid.SetField(4, 5, 7);

    grid.ClearFields();
    EXPECT_EQ(0, grid.fields[1][1]);
    EXPECT_EQ(0, grid.fields[4][5]);
    EXPECT_EQ(2, grid.GetStoneCount());

    grid.SetField(1, 1, FIELD_SPECIAL_TARGET);
    grid.Clear();
    EXPECT_EQ(FIELD_SPECIAL_TARGET, grid.fields[1][1]);
    EXPECT_EQ(0, grid.GetStoneCount());
    EXPECT_EQ(0, grid.GetHeight(1, 1));
    EXPECT_TRUE(grid.typeCounts.empty());
    EXPECT_EQ(nullptr, grid.sortedStones[0]);
    EXPECT_EQ(nullptr, grid.cells[1 + 6]);
    // The board is usable again after clearing.
    grid.PlaceStone(1, 1, STONE_RED, 0.0f);
    EXPECT_EQ(1, grid.GetStoneCount());
}

TEST(PuzzleGrid, MoveStoneCarriesTheRecordToTheTargetCell)
{
    CGrid grid(6, 6, 6);
    PlaceColumn(grid, 0, 0, { 2, 4 });
    grid.PlaceStone(1, 0, STONE_GREEN, 0.0f);
    CStoneInfo* moving = grid.cells[36];

    grid.MoveStone(0, 0, 1, 1, 0, 1);

    EXPECT_EQ(moving, grid.cells[1 + 36]);
    EXPECT_EQ(nullptr, grid.cells[36]);
    EXPECT_EQ(1, moving->x);
    EXPECT_EQ(0, moving->y);
    EXPECT_EQ(1, moving->z);
    EXPECT_EQ(1, moving->moved);
    EXPECT_EQ(1, grid.GetHeight(0, 0));
    EXPECT_EQ(2, grid.GetHeight(1, 0));

    // From an empty cell, or to a cell off the board, nothing moves.
    grid.MoveStone(3, 3, 0, 4, 3, 0);
    grid.MoveStone(1, 0, 1, 6, 0, 1);
    grid.MoveStone(1, 0, 1, 1, -1, 1);
    EXPECT_EQ(moving, grid.cells[1 + 36]);
    EXPECT_EQ(2, grid.GetHeight(1, 0));
    EXPECT_EQ(0, grid.GetHeight(3, 3));
}

TEST(PuzzleGrid, FullColumnRefusesASixteenthStone)
{
    CGrid grid(6, 6, 6);
    for (int i = 0; i < 15; i++)
        grid.PlaceStone(5, 5, STONE_BLOCK, 0.0f);
    ASSERT_EQ(15, grid.GetHeight(5, 5));

    grid.PlaceStone(5, 5, STONE_RED, 0.0f);

    EXPECT_EQ(15, grid.GetHeight(5, 5));
    EXPECT_EQ(15, grid.GetStoneCount());
    EXPECT_TRUE(grid.typeCounts.empty());
    // Nothing spilled into the next layer's first cell or anywhere else.
    for (int i = 0; i < grid.cellCount; i++) {
        if (grid.cells[i]) {
            EXPECT_EQ(STONE_BLOCK, grid.cells[i]->type) << i;
        }
    }
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

    EXPECT_EQ(1, grid.GetStoneCount());
    EXPECT_EQ(0, grid.cells[2 + 2 * 6]->targetState);
    EXPECT_TRUE(grid.typeCounts.count(STONE_BLUE) == 0);
    for (int x = 0; x < 6; x++)
        for (int y = 0; y < 6; y++)
            EXPECT_EQ(0, grid.fields[x][y]);

    grid.SetStoneValue(2, 2, 0, 1);
    EXPECT_EQ(1, grid.cells[2 + 2 * 6]->targetState);
}

TEST(PuzzleGrid, NonSquareBoardKeepsColumnsApart)
{
    CGrid grid(3, 5, 0);
    EXPECT_EQ(15, grid.depth);
    EXPECT_EQ(3 * 5 * 15, grid.cellCount);
    grid.PlaceStone(2, 4, STONE_RED, 0.0f);
    grid.SetField(2, 4, 9);
    EXPECT_EQ(STONE_RED, grid.cells[2 + 4 * 3]->type);
    EXPECT_EQ(9, grid.fields[2][4]);
    EXPECT_EQ(-1, grid.GetHeight(3, 0));
    EXPECT_EQ(-1, grid.GetHeight(0, 5));
}
