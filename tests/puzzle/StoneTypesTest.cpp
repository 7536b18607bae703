// Type table and stone record.
#include <gtest/gtest.h>

#include "CStoneInfo.h"
#include "CStoneTypes.h"

TEST(StoneTypes, NamesOfListedAndUnknownIds)
{
    EXPECT_EQ("Special", CStoneTypes::GetName(STONE_SPECIAL));
    EXPECT_EQ("Blue_Yellow", CStoneTypes::GetName(STONE_BLUE_YELLOW));
    EXPECT_EQ("RedGrean", CStoneTypes::GetName(STONE_REDGREAN));
    EXPECT_EQ("Special Target(Field)", CStoneTypes::GetName(FIELD_SPECIAL_TARGET));
    for (int id : { 9, 999, 1000, -9, -1 })
        EXPECT_EQ("Unknown", CStoneTypes::GetName(id)) << id;
}

TEST(StoneTypes, FlagsPerType)
{
    // Special: slidable only; Block: none; the colours: all three.
    EXPECT_EQ(0, CStoneTypes::IsCountedType(STONE_SPECIAL));
    EXPECT_EQ(0, CStoneTypes::IsComboType(STONE_SPECIAL));
    EXPECT_EQ(1, CStoneTypes::IsMovable(STONE_SPECIAL));
    EXPECT_EQ(0, CStoneTypes::IsCountedType(STONE_BLOCK));
    EXPECT_EQ(0, CStoneTypes::IsComboType(STONE_BLOCK));
    EXPECT_EQ(0, CStoneTypes::IsMovable(STONE_BLOCK));
    for (int id = STONE_BLUE; id <= STONE_REDGREAN; id++) {
        EXPECT_EQ(1, CStoneTypes::IsCountedType(id)) << id;
        EXPECT_EQ(1, CStoneTypes::IsComboType(id)) << id;
        EXPECT_EQ(1, CStoneTypes::IsMovable(id)) << id;
    }
}

TEST(StoneTypes, FlagsOfIdsOutsideTheTableAreSafe)
{
    // Level files may name any integer: such stones are neither counted nor
    // grouped; no stone at all (negative) cannot be slid.
    for (int id : { 9, 42, 1001, 2147483647, -1, -9, -2147483647 - 1 }) {
        EXPECT_EQ(0, CStoneTypes::IsCountedType(id)) << id;
        EXPECT_EQ(0, CStoneTypes::IsComboType(id)) << id;
    }
    EXPECT_EQ(1, CStoneTypes::IsMovable(42));
    EXPECT_EQ(0, CStoneTypes::IsMovable(-9));
    EXPECT_EQ(0, CStoneTypes::IsMovable(-2147483647 - 1));
}

TEST(StoneTypes, TypeList)
{
    int count = 0;
    const int* list = CStoneTypes::GetTypeList(&count);
    ASSERT_EQ(10, count);
    EXPECT_EQ(0, list[0]);
    EXPECT_EQ(8, list[8]);
    EXPECT_EQ(FIELD_SPECIAL_TARGET, list[9]);
}

TEST(StoneInfo, ConstructedAndDefaultRecords)
{
    CStoneInfo made(2, 3, 0, 4, "anything");
    EXPECT_EQ(2, made.x);
    EXPECT_EQ(3, made.y);
    EXPECT_EQ(0, made.z);
    EXPECT_EQ(4, made.type);
    EXPECT_EQ("anything", made.name);
    EXPECT_EQ(0, made.moved);
    EXPECT_EQ(1, made.reposition);
    EXPECT_EQ(0, made.sideExposed);
    EXPECT_EQ(0, made.drawn);
    EXPECT_EQ(nullptr, made.stone);
    EXPECT_EQ(0, made.targetState);

    CStoneInfo empty;
    EXPECT_EQ(-1, empty.x);
    EXPECT_EQ(-1, empty.y);
    EXPECT_EQ(-1, empty.z);
    EXPECT_EQ(-1, empty.type);
    EXPECT_EQ("EMPTY", empty.name);
    EXPECT_EQ(1, empty.reposition);
    EXPECT_EQ(nullptr, empty.stone);
}
