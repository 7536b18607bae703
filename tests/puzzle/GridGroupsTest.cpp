// Group search and removal, and straight runs of one type.
#include <gtest/gtest.h>

#include "CGrid.h"
#include "CStoneTypes.h"
#include "PuzzleTestHelpers.h"

TEST(PuzzleGridGroups, FourTouchingBurstCornerContactDoesNot)
{
    CGrid grid(6, 6, 6);
    // An L of four red stones on the floor.
    PlaceColumn(grid, 0, 0, { STONE_RED });
    PlaceColumn(grid, 1, 0, { STONE_RED });
    PlaceColumn(grid, 2, 0, { STONE_RED });
    PlaceColumn(grid, 2, 1, { STONE_RED });
    EXPECT_EQ(1, grid.RemoveCombos());
    EXPECT_EQ(0, grid.GetStoneCount());

    // Three in a row and a fourth that touches only at a corner.
    PlaceColumn(grid, 0, 0, { STONE_RED });
    PlaceColumn(grid, 1, 0, { STONE_RED });
    PlaceColumn(grid, 2, 0, { STONE_RED });
    PlaceColumn(grid, 3, 1, { STONE_RED });
    EXPECT_EQ(0, grid.RemoveCombos());
    EXPECT_EQ(4, grid.GetStoneCount());
}

TEST(PuzzleGridGroups, WholeGroupBurstsNotJustFour)
{
    CGrid grid(6, 6, 6);
    for (int x = 0; x < 5; x++)
        PlaceColumn(grid, x, 3, { STONE_GREEN });
    PlaceColumn(grid, 5, 3, { STONE_BLUE });
    EXPECT_EQ(1, grid.RemoveCombos());
    EXPECT_EQ(1, grid.GetStoneCount());
    EXPECT_EQ(STONE_BLUE, grid.GetStoneInfo(5, 3, 0).type);
}

TEST(PuzzleGridGroups, SpecialAndBlockStonesNeverBurst)
{
    CGrid grid(6, 6, 6);
    PlaceColumn(grid, 0, 0, { STONE_SPECIAL, STONE_SPECIAL, STONE_SPECIAL, STONE_SPECIAL });
    for (int x = 1; x < 5; x++)
        PlaceColumn(grid, x, 1, { STONE_BLOCK });
    // Types outside the table do not group either.
    for (int x = 0; x < 5; x++)
        PlaceColumn(grid, x, 4, { 42 });
    EXPECT_EQ(0, grid.RemoveCombos());
    EXPECT_EQ(13, grid.GetStoneCount());
}

TEST(PuzzleGridGroups, StackedGroupBurstsAndTheStoneOnTopLands)
{
    CGrid grid(6, 6, 6);
    PlaceColumn(grid, 4, 4, { STONE_BLUE, STONE_BLUE, STONE_BLUE, STONE_BLUE, STONE_YELLOW });
    EXPECT_EQ(1, grid.RemoveCombos());
    EXPECT_EQ("5", ColumnText(grid, 4, 4));
    EXPECT_EQ(0, grid.GetStoneInfo(4, 4, 0).z);
    EXPECT_EQ(nullptr, grid.cells[4 + 4 * 6 + 1 * 36]);
}

TEST(PuzzleGridGroups, SeparateGroupsBurstInOneCall)
{
    CGrid grid(6, 6, 6);
    for (int x = 0; x < 4; x++)
        PlaceColumn(grid, x, 0, { STONE_RED });
    PlaceColumn(grid, 5, 5, { STONE_ORANGE, STONE_ORANGE, STONE_ORANGE, STONE_ORANGE });
    PlaceColumn(grid, 3, 3, { STONE_GREEN });
    EXPECT_EQ(1, grid.RemoveCombos());
    EXPECT_EQ(1, grid.GetStoneCount());

    EXPECT_EQ(0, grid.RemoveCombos());
    EXPECT_EQ(1, grid.GetStoneCount());
}

TEST(PuzzleGridGroups, StonesBroughtTogetherByAFallBurstOnlyInTheNextCall)
{
    CGrid grid(6, 6, 6);
    PlaceColumn(grid, 0, 0, { STONE_BLUE, STONE_BLUE, STONE_BLUE, STONE_BLUE, STONE_RED });
    PlaceColumn(grid, 1, 0, { STONE_RED, STONE_RED, STONE_RED });

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
    PlaceColumn(grid, 2, 2, { STONE_GREEN, STONE_GREEN, STONE_GREEN, STONE_GREEN, STONE_GREEN, STONE_YELLOW });
    PlaceColumn(grid, 3, 2, { STONE_RED, STONE_RED, STONE_RED, STONE_GREEN, STONE_BLUE });
    EXPECT_EQ(1, grid.RemoveCombos());
    EXPECT_EQ("5", ColumnText(grid, 2, 2));
    EXPECT_EQ("4 4 4 2", ColumnText(grid, 3, 2));
    EXPECT_EQ(5, grid.GetStoneCount());
    for (int x = 0; x < 6; x++) {
        for (int y = 0; y < 6; y++) {
            for (int z = 0; z < 15; z++) {
                CStoneInfo* record = grid.cells[x + y * 6 + z * 36];
                if (!record)
                    continue;
                EXPECT_EQ(x, record->x);
                EXPECT_EQ(y, record->y);
                EXPECT_EQ(z, record->z);
            }
        }
    }
}

TEST(PuzzleGridGroups, LinesAlongXOrYButNotUpwardsOrBent)
{
    CGrid grid(6, 6, 6);
    for (int x = 1; x < 5; x++)
        PlaceColumn(grid, x, 2, { STONE_SPECIAL });
    EXPECT_EQ(1, grid.HasLineOfType(STONE_SPECIAL));
    EXPECT_EQ(0, grid.HasLineOfType(STONE_RED));

    grid.Clear();
    for (int y = 2; y < 6; y++)
        PlaceColumn(grid, 0, y, { STONE_BLOCK, STONE_SPECIAL });
    EXPECT_EQ(1, grid.HasLineOfType(STONE_SPECIAL));

    grid.Clear();
    PlaceColumn(grid, 3, 3, { STONE_SPECIAL, STONE_SPECIAL, STONE_SPECIAL, STONE_SPECIAL });
    EXPECT_EQ(0, grid.HasLineOfType(STONE_SPECIAL));

    grid.Clear();
    PlaceColumn(grid, 0, 0, { STONE_SPECIAL });
    PlaceColumn(grid, 1, 0, { STONE_SPECIAL });
    PlaceColumn(grid, 2, 0, { STONE_SPECIAL });
    PlaceColumn(grid, 2, 1, { STONE_SPECIAL });
    EXPECT_EQ(0, grid.HasLineOfType(STONE_SPECIAL));

    // Runs on different layers do not join.
    grid.Clear();
    PlaceColumn(grid, 0, 5, { STONE_SPECIAL });
    PlaceColumn(grid, 1, 5, { STONE_SPECIAL });
    PlaceColumn(grid, 2, 5, { STONE_BLOCK, STONE_SPECIAL });
    PlaceColumn(grid, 3, 5, { STONE_SPECIAL });
    EXPECT_EQ(0, grid.HasLineOfType(STONE_SPECIAL));
}
