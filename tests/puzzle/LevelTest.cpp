// Level record.
#include <gtest/gtest.h>

#include "CLevel.h"
#include "CStoneInfo.h"

TEST(PuzzleLevel, NewLevelDefaults)
{
    CLevel level;
    EXPECT_EQ("New Level", level.GetName());
    EXPECT_EQ(0, level.size);
    EXPECT_EQ(0, level.placeableMode);
    EXPECT_EQ(nullptr, level.placeableTypes);
    EXPECT_EQ(0, level.placeableCount);
    EXPECT_EQ(nullptr, level.stones);
    EXPECT_EQ(0, level.stoneCount);
    EXPECT_EQ(nullptr, level.fields);
    EXPECT_EQ(0, level.fieldCount);
    EXPECT_EQ(0, level.number);
}

TEST(PuzzleLevel, StonesAreOrderedByLayerKeepingTheirOrderWithinALayer)
{
    CLevel level;
    CStoneInfo** stones = new CStoneInfo*[4];
    stones[0] = new CStoneInfo(0, 0, 2, 4, "a");
    stones[1] = new CStoneInfo(1, 0, 0, 4, "b");
    stones[2] = new CStoneInfo(0, 0, 1, 4, "c");
    stones[3] = new CStoneInfo(0, 0, 0, 4, "d");
    level.SetStones(stones, 4);

    ASSERT_EQ(4, level.stoneCount);
    EXPECT_EQ("b", level.stones[0]->name);
    EXPECT_EQ("d", level.stones[1]->name);
    EXPECT_EQ("c", level.stones[2]->name);
    EXPECT_EQ("a", level.stones[3]->name);
}

TEST(PuzzleLevel, ReplacingStonesAndFields)
{
    CLevel level;
    CStoneInfo** stones = new CStoneInfo*[1];
    stones[0] = new CStoneInfo(0, 0, 0, 2, "");
    level.SetStones(stones, 1);
    level.SetFields(new CStoneInfo[2], 2);

    level.SetStones(nullptr, 0);
    EXPECT_EQ(0, level.stoneCount);
    EXPECT_EQ(nullptr, level.stones);

    CStoneInfo* fields = new CStoneInfo[1];
    fields[0].type = 1001;
    level.SetFields(fields, 1);
    EXPECT_EQ(1, level.fieldCount);
    EXPECT_EQ(1001, level.fields[0].type);
    // The sanitizer build reports the replaced arrays if they leaked.
}
