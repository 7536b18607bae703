// Type table and stone record.
#include <gtest/gtest.h>

#include "CResourceManager.h"
#include "CStoneInfo.h"
#include "CStoneTypes.h"
#include "CTexMgr.h"
#include "FakeDevice.h"

TEST(PuzzleStoneTypes, NamesOfListedAndUnknownIds)
{
    EXPECT_EQ("Special", CStoneTypes::GetName(STONE_SPECIAL));
    EXPECT_EQ("Blue_Yellow", CStoneTypes::GetName(STONE_BLUE_YELLOW));
    EXPECT_EQ("RedGrean", CStoneTypes::GetName(STONE_REDGREAN));
    EXPECT_EQ("Special Target(Field)", CStoneTypes::GetName(FIELD_SPECIAL_TARGET));
    for (int id : { 9, 999, 1000, -9, -1 })
        EXPECT_EQ("Unknown", CStoneTypes::GetName(id)) << id;
}

TEST(PuzzleStoneTypes, FlagsPerType)
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

TEST(PuzzleStoneTypes, FlagsOfIdsOutsideTheTableAreSafe)
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

TEST(PuzzleStoneTypes, TypeList)
{
    int count = 0;
    const int* list = CStoneTypes::GetTypeList(&count);
    ASSERT_EQ(10, count);
    EXPECT_EQ(0, list[0]);
    EXPECT_EQ(8, list[8]);
    EXPECT_EQ(FIELD_SPECIAL_TARGET, list[9]);
}

TEST(PuzzleStoneInfo, ConstructedAndDefaultRecords)
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

TEST(PuzzleStoneTypes, TexturesAreAskedForByPath)
{
    FakeDevice device;
    CTexMgr* textures = CResourceManager::GetTextures();
    textures->SetDevice(&device);
    int before = textures->GetTextureCount();

    // Yellow and orange share one picture; the orange picture serves Blue_Yellow.
    CStoneTypes::ApplyTexture(&device, STONE_YELLOW);
    CStoneTypes::ApplyTexture(&device, STONE_ORANGE);
    EXPECT_EQ(before + 1, textures->GetTextureCount());
    EXPECT_EQ(textures->GetTexture(".//media//stone_yellow.jpg"), device.textures[0]);
    EXPECT_EQ(before + 1, textures->GetTextureCount());

    CStoneTypes::ApplyTexture(&device, STONE_BLUE_YELLOW);
    textures->GetTexture(".//media//stone_orange.jpg");
    EXPECT_EQ(before + 2, textures->GetTextureCount());

    CStoneTypes::ApplyTexture(&device, STONE_REDGREAN);
    CStoneTypes::ApplyTexture(&device, 42);
    CStoneTypes::ApplyTexture(&device, -9);
    textures->GetTexture("DEFAULT_MATERIAL");
    EXPECT_EQ(before + 3, textures->GetTextureCount());

    CStoneTypes::ApplyTexture(&device, FIELD_SPECIAL_TARGET);
    textures->GetTexture(".//media//field_special.jpg");
    EXPECT_EQ(before + 4, textures->GetTextureCount());

    textures->SetDevice(nullptr);
}

TEST(PuzzleStoneTypes, OneMaterialForEveryType)
{
    for (int id : { 0, 1, 5, 8, 1001, 42, -9 }) {
        D3DMATERIAL8 m = CStoneTypes::GetMaterial(id);
        EXPECT_EQ(1.0f, m.Diffuse.r);
        EXPECT_EQ(1.0f, m.Diffuse.g);
        EXPECT_EQ(1.0f, m.Diffuse.b);
        EXPECT_EQ(0.5f, m.Diffuse.a);
        EXPECT_EQ(0.8f, m.Ambient.r);
        EXPECT_EQ(1.0f, m.Ambient.a);
        EXPECT_EQ(0.8f, m.Specular.g);
        EXPECT_EQ(1.0f, m.Specular.a);
        EXPECT_EQ(0.8f, m.Emissive.b);
        EXPECT_EQ(1.0f, m.Emissive.a);
        EXPECT_EQ(1.0f, m.Power);
    }
}
