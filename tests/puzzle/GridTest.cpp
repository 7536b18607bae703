// Board: placement, sorting, counts, removal with gravity, lookups, sliding
// and the refusal of stones off the board or on a full column.
#include <climits>
#include <cstdlib>
#include <set>

#include <gtest/gtest.h>

#include "CGrid.h"
#include "CStoneTypes.h"
#include "PuzzleTestHelpers.h"

namespace {

// The sorted stones as text, one record after the other.
std::string SortedText(CGrid& grid)
{
    std::string text;
    for (int i = 0; i < grid.cellCount && grid.sortedStones[i]; i++)
        text += "[" + RecordText(*grid.sortedStones[i]) + "]";
    return text;
}

} // namespace

TEST(PuzzleGrid, PlacementSortsByTypeAndCountsColours)
{
    CGrid grid(6, 6, 6);
    Fill(grid, { { 0, 0, { STONE_GREEN } }, { 1, 0, { STONE_YELLOW } }, { 2, 0, { STONE_GREEN } },
                 { 3, 4, { STONE_SPECIAL, STONE_BLOCK } } });

    // Highest type first; a newer stone before the older ones of its type.
    EXPECT_EQ("[1,0,0 5][2,0,0 3][0,0,0 3][3,4,1 1][3,4,0 0]", SortedText(grid));
    EXPECT_EQ("0,0:3 1,0:5 2,0:3 3,4:0 1 n5 {3:2 5:1}", BoardText(grid));

    CStoneInfo* top = grid.cells[3 + 4 * 6 + 1 * 36];
    ASSERT_NE(nullptr, top);
    EXPECT_EQ(1, top->sideExposed);
    EXPECT_FALSE(top->name.empty());
    EXPECT_EQ(std::string::npos, top->name.find_first_not_of("0123456789"));
}

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

TEST(PuzzleGrid, RemovalLetsTheStonesAboveFall)
{
    CGrid grid(6, 6, 6);
    Fill(grid, { { 2, 2, { 2, 4, 2 } } });
    CStoneInfo* middle = grid.cells[2 + 2 * 6 + 1 * 36];
    CStoneInfo* top = grid.cells[2 + 2 * 6 + 2 * 36];
    middle->reposition = 0;
    top->reposition = 0;

    grid.RemoveStone(2, 2, 0);

    EXPECT_EQ(middle, grid.cells[2 + 2 * 6]);
    EXPECT_EQ("2,2:4 2 n2 {2:1 4:1}", BoardText(grid));
    EXPECT_EQ("[2,2,0 4][2,2,1 2]", SortedText(grid));
    EXPECT_EQ(nullptr, grid.sortedStones[2]);
    EXPECT_EQ(1, middle->reposition);
    EXPECT_EQ(1, top->reposition);

    // An empty cell: nothing happens.
    grid.RemoveStone(2, 2, 2);
    EXPECT_EQ("2,2:4 2 n2 {2:1 4:1}", BoardText(grid));

    // In a full column the stone on the top layer falls as well.
    CGrid full(6, 6, 6);
    for (int z = 0; z < 15; z++)
        full.PlaceStone(0, 0, z == 14 ? STONE_RED : STONE_BLOCK, 0.0f);
    CStoneInfo* topmost = full.cells[14 * 36];
    full.RemoveStone(0, 0, 0);
    EXPECT_EQ(topmost, full.cells[13 * 36]);
    EXPECT_EQ(13, topmost->z);
    EXPECT_EQ(nullptr, full.cells[14 * 36]);
    EXPECT_EQ(14, full.GetHeight(0, 0));
}

TEST(PuzzleGrid, LookupsGiveCopiesOrTheErrorRecord)
{
    CGrid grid(6, 6, 6);
    for (CStoneInfo info : { grid.GetStoneInfo(0, 0, 0), grid.GetStoneInfo(-1, 0, 0), grid.GetStoneInfo(0, 0, 15),
                             grid.GetStoneInfo(5, 5, 14), grid.GetStoneInfo(INT_MAX, INT_MAX, INT_MAX) }) {
        EXPECT_EQ("-9,-9,-9 -9", RecordText(info));
        EXPECT_EQ("ERROR", info.name);
    }
    // The lookup goes by index: one past the last column is the next row's first.
    grid.PlaceStone(0, 1, STONE_RED, 0.0f);
    EXPECT_EQ("0,1,0 4", RecordText(grid.GetStoneInfo(6, 0, 0)));
    EXPECT_EQ(-1, grid.GetHeight(6, 0));
    EXPECT_EQ(-1, grid.GetHeight(0, -1));

    // A copy without the visibility flags; changing it leaves the board alone.
    CStoneInfo* record = grid.cells[6];
    record->drawn = 1;
    CStoneInfo copy = grid.GetStoneInfo(0, 1, 0);
    EXPECT_EQ(0, copy.sideExposed);
    EXPECT_EQ(0, copy.drawn);
    EXPECT_EQ(record->name, copy.name);
    copy.type = STONE_BLUE;
    EXPECT_EQ(STONE_RED, record->type);
    EXPECT_EQ(1, record->sideExposed);
}

TEST(PuzzleGrid, ClearKeepsFieldsAndClearFieldsKeepsStones)
{
    CGrid grid(6, 6, 6);
    Fill(grid, { { 1, 1, { 2, 3 } } });
    grid.SetField(1, 1, FIELD_SPECIAL_TARGET);
    grid.SetField(4, 5, 7);

    grid.ClearFields();
    EXPECT_EQ(0, grid.fields[1][1]);
    EXPECT_EQ(0, grid.fields[4][5]);
    EXPECT_EQ("1,1:2 3 n2 {2:1 3:1}", BoardText(grid));

    grid.SetField(1, 1, FIELD_SPECIAL_TARGET);
    grid.Clear();
    EXPECT_EQ(FIELD_SPECIAL_TARGET, grid.fields[1][1]);
    EXPECT_EQ("n0 {}", BoardText(grid));
    EXPECT_EQ("", SortedText(grid));
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
