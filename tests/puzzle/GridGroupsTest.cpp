// Group search and removal, and straight runs of one type.
#include <gtest/gtest.h>

#include "CGrid.h"
#include "CStoneTypes.h"
#include "PuzzleTestHelpers.h"

namespace {

const int R = STONE_RED;
const int B = STONE_BLUE;
const int G = STONE_GREEN;
const int S = STONE_SPECIAL;
const int K = STONE_BLOCK;

// Every record stands in the cell that its coordinates name.
void ExpectRecordsInTheirCells(CGrid& grid)
{
    for (int i = 0; i < grid.cellCount; i++) {
        CStoneInfo* record = grid.cells[i];
        EXPECT_TRUE(!record || i == record->x + record->y * 6 + record->z * 36) << i;
    }
}

} // namespace

TEST(PuzzleGridGroups, OneCallRemovesEveryGroupOfFourOrMore)
{
    struct Case { const char* what; std::vector<Column> board; int result; int left; };
    const Case cases[] = {
        { "an L of four", { { 0, 0, { R } }, { 1, 0, { R } }, { 2, 0, { R } }, { 2, 1, { R } } }, 1, 0 },
        { "a fourth touching at a corner", { { 0, 0, { R } }, { 1, 0, { R } }, { 2, 0, { R } }, { 3, 1, { R } } }, 0, 4 },
        { "five and a neighbour of another colour",
          { { 0, 3, { G } }, { 1, 3, { G } }, { 2, 3, { G } }, { 3, 3, { G } }, { 4, 3, { G } }, { 5, 3, { B } } }, 1, 1 },
        { "special, block and unknown types",
          { { 0, 0, { S, S, S, S } }, { 1, 1, { K } }, { 2, 1, { K } }, { 3, 1, { K } }, { 4, 1, { K } },
            { 0, 4, { 42 } }, { 1, 4, { 42 } }, { 2, 4, { 42 } }, { 3, 4, { 42 } } }, 0, 12 },
        { "a T reached leftwards", { { 1, 0, { R } }, { 1, 1, { R } }, { 1, 2, { R } }, { 0, 1, { R } } }, 1, 0 },
        { "a bridge reached downwards", { { 0, 0, { R, R } }, { 1, 0, { B, R } }, { 2, 0, { R, R } } }, 1, 1 },
        { "two separate groups",
          { { 0, 0, { R } }, { 1, 0, { R } }, { 2, 0, { R } }, { 3, 0, { R } }, { 5, 5, { B, B, B, B } }, { 3, 3, { G } } },
          1, 1 },
    };
    for (const Case& c : cases) {
        CGrid grid(6, 6, 6);
        Fill(grid, c.board);
        EXPECT_EQ(c.result, grid.RemoveCombos()) << c.what;
        EXPECT_EQ(c.left, grid.GetStoneCount()) << c.what;
        EXPECT_EQ(0, grid.RemoveCombos()) << c.what;
    }
}

TEST(PuzzleGridGroups, StackedGroupBurstsAndTheStoneOnTopLands)
{
    CGrid grid(6, 6, 6);
    Fill(grid, { { 4, 4, { B, B, B, B, STONE_YELLOW } } });
    EXPECT_EQ(1, grid.RemoveCombos());
    EXPECT_EQ("5", ColumnText(grid, 4, 4));
    EXPECT_EQ(0, grid.cells[4 + 4 * 6]->z);
    EXPECT_EQ(nullptr, grid.cells[4 + 4 * 6 + 36]);
}

TEST(PuzzleGridGroups, StonesBroughtTogetherByAFallBurstOnlyInTheNextCall)
{
    CGrid grid(6, 6, 6);
    Fill(grid, { { 0, 0, { B, B, B, B, R } }, { 1, 0, { R, R, R } } });

    EXPECT_EQ(1, grid.RemoveCombos());
    EXPECT_EQ("4", ColumnText(grid, 0, 0));
    EXPECT_EQ("4 4 4", ColumnText(grid, 1, 0));

    EXPECT_EQ(1, grid.RemoveCombos());
    EXPECT_EQ(0, grid.GetStoneCount());
    EXPECT_EQ(0, grid.RemoveCombos());
}

TEST(PuzzleGridGroups, GroupMembersThatDropAreRemovedAtTheirNewCell)
{
    // A vertical group with a horizontal arm above a gap: removing lower
    // members lets upper members drop before their turn comes.
    CGrid grid(6, 6, 6);
    Fill(grid, { { 2, 2, { G, G, G, G, G, STONE_YELLOW } }, { 3, 2, { R, R, R, G, B } } });
    EXPECT_EQ(1, grid.RemoveCombos());
    EXPECT_EQ("5", ColumnText(grid, 2, 2));
    EXPECT_EQ("4 4 4 2", ColumnText(grid, 3, 2));
    EXPECT_EQ(5, grid.GetStoneCount());
    ExpectRecordsInTheirCells(grid);
}

TEST(PuzzleGridGroups, LinesAlongXOrYButNotUpwardsOrBent)
{
    struct Case { const char* what; std::vector<Column> board; int line; };
    const Case cases[] = {
        { "four along x", { { 1, 2, { S } }, { 2, 2, { S } }, { 3, 2, { S } }, { 4, 2, { S } } }, 1 },
        { "four along y on layer 1", { { 0, 2, { K, S } }, { 0, 3, { K, S } }, { 0, 4, { K, S } }, { 0, 5, { K, S } } }, 1 },
        { "four stacked", { { 3, 3, { S, S, S, S } } }, 0 },
        { "an L", { { 0, 0, { S } }, { 1, 0, { S } }, { 2, 0, { S } }, { 2, 1, { S } } }, 0 },
        { "on two layers", { { 0, 5, { S } }, { 1, 5, { S } }, { 2, 5, { K, S } }, { 3, 5, { S } } }, 0 },
        { "three and a gap", { { 0, 1, { S } }, { 1, 1, { S } }, { 2, 1, { S } }, { 4, 1, { S } } }, 0 },
    };
    for (const Case& c : cases) {
        CGrid grid(6, 6, 6);
        Fill(grid, c.board);
        EXPECT_EQ(c.line, grid.HasLineOfType(S)) << c.what;
        EXPECT_EQ(0, grid.HasLineOfType(R)) << c.what;
    }
}
