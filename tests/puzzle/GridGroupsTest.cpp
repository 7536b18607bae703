// Group search and removal, and straight runs of one type.
#include <gtest/gtest.h>

#include "CGrid.h"
#include "CStoneTypes.h"
#include "PuzzleTestHelpers.h"

namespace {

const int R = STONE_RED;
const int B = STONE_BLUE;
const int G = STONE_GREEN;
const int Y = STONE_YELLOW;
const int S = STONE_SPECIAL;
const int K = STONE_BLOCK;

// A board, what one call of the group search answers and leaves, and what a
// second call answers and leaves.
struct Case
{
    const char* what;
    std::vector<Column> board;
    int first;
    const char* afterFirst;
    int second;
    const char* afterSecond;
};

} // namespace

TEST(PuzzleGridGroups, GroupsOfFourOrMoreBurstAndTheStonesAboveFall)
{
    const Case cases[] = {
        { "an L of four", { { 0, 0, { R } }, { 1, 0, { R } }, { 2, 0, { R } }, { 2, 1, { R } } }, 1, "n0 {}", 0, "n0 {}" },
        { "a fourth touching at a corner", { { 0, 0, { R } }, { 1, 0, { R } }, { 2, 0, { R } }, { 3, 1, { R } } },
          0, "0,0:4 1,0:4 2,0:4 3,1:4 n4 {4:4}", 0, "0,0:4 1,0:4 2,0:4 3,1:4 n4 {4:4}" },
        { "five and a neighbour of another colour",
          { { 0, 3, { G } }, { 1, 3, { G } }, { 2, 3, { G } }, { 3, 3, { G } }, { 4, 3, { G } }, { 5, 3, { B } } },
          1, "5,3:2 n1 {2:1}", 0, "5,3:2 n1 {2:1}" },
        { "special, block and unknown types",
          { { 0, 0, { S, S, S, S } }, { 1, 1, { K } }, { 2, 1, { K } }, { 3, 1, { K } }, { 4, 1, { K } } },
          0, "0,0:0 0 0 0 1,1:1 2,1:1 3,1:1 4,1:1 n8 {}", 0, "0,0:0 0 0 0 1,1:1 2,1:1 3,1:1 4,1:1 n8 {}" },
        { "an unknown type", { { 0, 4, { 42, 42, 42, 42 } } }, 0, "0,4:42 42 42 42 n4 {}", 0, "0,4:42 42 42 42 n4 {}" },
        { "along y to the far edge", { { 3, 2, { R } }, { 3, 3, { R } }, { 3, 4, { R } }, { 3, 5, { R } } },
          1, "n0 {}", 0, "n0 {}" },
        { "along x to the far edge", { { 2, 4, { B } }, { 3, 4, { B } }, { 4, 4, { B } }, { 5, 4, { B } } },
          1, "n0 {}", 0, "n0 {}" },
        { "a T reached leftwards", { { 1, 0, { R } }, { 1, 1, { R } }, { 1, 2, { R } }, { 0, 1, { R } } },
          1, "n0 {}", 0, "n0 {}" },
        { "a bridge reached downwards", { { 0, 0, { R, R } }, { 1, 0, { B, R } }, { 2, 0, { R, R } } },
          1, "1,0:2 n1 {2:1}", 0, "1,0:2 n1 {2:1}" },
        { "a stack with a stone on top", { { 4, 4, { B, B, B, B, Y } } }, 1, "4,4:5 n1 {5:1}", 0, "4,4:5 n1 {5:1}" },
        { "two separate groups",
          { { 0, 0, { R } }, { 1, 0, { R } }, { 2, 0, { R } }, { 3, 0, { R } }, { 5, 5, { B, B, B, B } }, { 3, 3, { G } } },
          1, "3,3:3 n1 {3:1}", 0, "3,3:3 n1 {3:1}" },
        // Stones that a fall brings together burst only in the next call.
        { "a fall joins a second group", { { 0, 0, { B, B, B, B, R } }, { 1, 0, { R, R, R } } },
          1, "0,0:4 1,0:4 4 4 n4 {4:4}", 1, "n0 {}" },
        // Removing lower members lets upper members of the same group drop
        // before their turn comes; they are removed at their new cell.
        { "members that drop", { { 2, 2, { G, G, G, G, G, Y } }, { 3, 2, { R, R, R, G, B } } },
          1, "2,2:5 3,2:4 4 4 2 n5 {2:1 4:3 5:1}", 0, "2,2:5 3,2:4 4 4 2 n5 {2:1 4:3 5:1}" },
    };
    for (const Case& c : cases) {
        CGrid grid(6, 6, 6);
        Fill(grid, c.board);
        EXPECT_EQ(c.first, grid.RemoveCombos()) << c.what;
        EXPECT_EQ(c.afterFirst, BoardText(grid)) << c.what;
        EXPECT_EQ(c.second, grid.RemoveCombos()) << c.what;
        EXPECT_EQ(c.afterSecond, BoardText(grid)) << c.what;
    }
}

TEST(PuzzleGridGroups, LinesAlongXOrYButNotUpwardsOrBent)
{
    struct Line { const char* what; std::vector<Column> board; int line; };
    const Line cases[] = {
        { "four along x", { { 1, 2, { S } }, { 2, 2, { S } }, { 3, 2, { S } }, { 4, 2, { S } } }, 1 },
        { "four along y on layer 1", { { 0, 2, { K, S } }, { 0, 3, { K, S } }, { 0, 4, { K, S } }, { 0, 5, { K, S } } }, 1 },
        { "four stacked", { { 3, 3, { S, S, S, S } } }, 0 },
        { "an L", { { 0, 0, { S } }, { 1, 0, { S } }, { 2, 0, { S } }, { 2, 1, { S } } }, 0 },
        { "on two layers", { { 0, 5, { S } }, { 1, 5, { S } }, { 2, 5, { K, S } }, { 3, 5, { S } } }, 0 },
        { "three and a gap", { { 0, 1, { S } }, { 1, 1, { S } }, { 2, 1, { S } }, { 4, 1, { S } } }, 0 },
        { "three along y", { { 1, 1, { S } }, { 1, 2, { S } }, { 1, 3, { S } } }, 0 },
        // A row ends at the board's edge; it does not go on in the next row.
        { "over the edge", { { 4, 0, { S } }, { 5, 0, { S } }, { 0, 1, { S } }, { 1, 1, { S } } }, 0 },
    };
    for (const Line& c : cases) {
        CGrid grid(6, 6, 6);
        Fill(grid, c.board);
        EXPECT_EQ(c.line, grid.HasLineOfType(S)) << c.what;
        EXPECT_EQ(0, grid.HasLineOfType(R)) << c.what;
    }
}
