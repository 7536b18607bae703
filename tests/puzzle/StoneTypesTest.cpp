// Type table and stone record.
#include <climits>
#include <cstring>

#include <gtest/gtest.h>

#include "CResourceManager.h"
#include "CStoneInfo.h"
#include "CStoneTypes.h"
#include "CTexMgr.h"
#include "FakeDevice.h"
#include "PuzzleTestHelpers.h"

TEST(PuzzleStoneTypes, NamesAndFlagsOfEveryId)
{
    // Ids outside 0..8 come from level files: never counted or grouped, and
    // a negative id (no stone) cannot be slid.
    struct Row { int id; const char* name; int counted, combo, movable; };
    const Row rows[] = {
        { 0, "Special", 0, 0, 1 }, { 1, "Block", 0, 0, 0 }, { 2, "Blue", 1, 1, 1 },
        { 3, "Green", 1, 1, 1 }, { 4, "Red", 1, 1, 1 }, { 5, "Yellow", 1, 1, 1 },
        { 6, "Orange", 1, 1, 1 }, { 7, "Blue_Yellow", 1, 1, 1 }, { 8, "RedGrean", 1, 1, 1 },
        { 1001, "Special Target(Field)", 0, 0, 1 }, { 9, "Unknown", 0, 0, 1 },
        { 999, "Unknown", 0, 0, 1 }, { INT_MAX, "Unknown", 0, 0, 1 }, { -1, "Unknown", 0, 0, 0 },
        { -9, "Unknown", 0, 0, 0 }, { INT_MIN, "Unknown", 0, 0, 0 },
    };
    for (const Row& row : rows) {
        EXPECT_EQ(row.name, CStoneTypes::GetName(row.id)) << row.id;
        EXPECT_EQ(row.counted, CStoneTypes::IsCountedType(row.id)) << row.id;
        EXPECT_EQ(row.combo, CStoneTypes::IsComboType(row.id)) << row.id;
        EXPECT_EQ(row.movable, CStoneTypes::IsMovable(row.id)) << row.id;
    }

    int count = 0;
    const int* list = CStoneTypes::GetTypeList(&count);
    ASSERT_EQ(10, count);
    for (int i = 0; i < 9; i++)
        EXPECT_EQ(i, list[i]);
    EXPECT_EQ(FIELD_SPECIAL_TARGET, list[9]);
}

TEST(PuzzleStoneTypes, TexturesAreAskedForByPath)
{
    FakeDevice device;
    CTexMgr* textures = CResourceManager::GetTextures();
    textures->SetDevice(&device);
    int before = textures->GetTextureCount();

    // Each step asks for one new path; asking again for a path already
    // loaded must not add a texture.
    struct Step { std::initializer_list<int> ids; const char* path; };
    const Step steps[] = {
        { { STONE_YELLOW, STONE_ORANGE }, ".//media//stone_yellow.jpg" },
        { { STONE_BLUE_YELLOW }, ".//media//stone_orange.jpg" },
        { { STONE_REDGREAN, 42, -9 }, "DEFAULT_MATERIAL" },
        { { FIELD_SPECIAL_TARGET }, ".//media//field_special.jpg" },
    };
    for (const Step& step : steps) {
        for (int id : step.ids)
            CStoneTypes::ApplyTexture(&device, id);
        EXPECT_EQ(textures->GetTexture(step.path), device.textures[0]) << step.path;
        EXPECT_EQ(++before, textures->GetTextureCount()) << step.path;
    }
    textures->SetDevice(nullptr);
}

TEST(PuzzleStoneTypes, OneMaterialForEveryType)
{
    // Diffuse (1, 1, 1, 0.5), ambient, specular and emissive grey 0.8, power 1.
    const D3DMATERIAL8 expected = { { 1.0f, 1.0f, 1.0f, 0.5f }, { 0.8f, 0.8f, 0.8f, 1.0f },
                                    { 0.8f, 0.8f, 0.8f, 1.0f }, { 0.8f, 0.8f, 0.8f, 1.0f }, 1.0f };
    for (int id : { 0, 1, 5, 8, 1001, 42, -9 }) {
        D3DMATERIAL8 m = CStoneTypes::GetMaterial(id);
        EXPECT_EQ(0, memcmp(&expected, &m, sizeof m)) << id;
    }
}

TEST(PuzzleStoneInfo, ConstructedAndDefaultRecords)
{
    CStoneInfo made(2, 3, 0, 4, "anything");
    EXPECT_EQ("2,3,0 4", RecordText(made));
    EXPECT_EQ("anything", made.name);
    EXPECT_EQ(0, made.moved);
    EXPECT_EQ(1, made.reposition);
    EXPECT_EQ(0, made.sideExposed);
    EXPECT_EQ(0, made.drawn);
    EXPECT_EQ(0, made.targetState);
    EXPECT_EQ(nullptr, made.stone);

    CStoneInfo empty;
    EXPECT_EQ("-1,-1,-1 -1", RecordText(empty));
    EXPECT_EQ("EMPTY", empty.name);
    EXPECT_EQ(1, empty.reposition);
    EXPECT_EQ(nullptr, empty.stone);
}
