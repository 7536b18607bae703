#include "CStoneTypes.h"

#include "CResourceManager.h"
#include "CTexMgr.h"

static const int typeList[10] = {
    STONE_SPECIAL, STONE_BLOCK, STONE_BLUE, STONE_GREEN, STONE_RED,
    STONE_YELLOW, STONE_ORANGE, STONE_BLUE_YELLOW, STONE_REDGREAN,
    FIELD_SPECIAL_TARGET
};

static const char* const stoneNames[9] = {
    "Special", "Block", "Blue", "Green", "Red", "Yellow", "Orange", "Blue_Yellow", "RedGrean"
};

// Texture of the stone ids 0 to 8. Orange shares the yellow picture and
// Blue_Yellow is drawn with the orange one.
static const char* const stoneTextures[9] = {
    ".//media//stone_special.jpg", ".//media//stone_block.jpg", ".//media//stone_blue.jpg",
    ".//media//stone_green.jpg", ".//media//stone_red.jpg", ".//media//stone_yellow.jpg",
    ".//media//stone_yellow.jpg", ".//media//stone_orange.jpg", "DEFAULT_MATERIAL"
};

// Every type is lit the same way.
static const D3DMATERIAL8 stoneMaterial = {
    { 1.0f, 1.0f, 1.0f, 0.5f },     // diffuse
    { 0.8f, 0.8f, 0.8f, 1.0f },     // ambient
    { 0.8f, 0.8f, 0.8f, 1.0f },     // specular
    { 0.8f, 0.8f, 0.8f, 1.0f },     // emissive
    1.0f                            // power
};

// Flags of the stone ids 0 to 8, indexed by the id.
static const int countedTable[9] = { 0, 0, 1, 1, 1, 1, 1, 1, 1 };
static const int comboTable[9] = { 0, 0, 1, 1, 1, 1, 1, 1, 1 };
static const int movableTable[9] = { 1, 0, 1, 1, 1, 1, 1, 1, 1 };

static bool IsStoneId(int type)
{
    return type >= STONE_SPECIAL && type <= STONE_REDGREAN;
}

CStoneTypes::~CStoneTypes()
{
}

std::string CStoneTypes::GetName(int type)
{
    if (type == FIELD_SPECIAL_TARGET)
        return "Special Target(Field)";
    if (IsStoneId(type))
        return stoneNames[type];
    return "Unknown";
}

void CStoneTypes::ApplyTexture(IDirect3DDevice8* device, int type)
{
    const char* path = "DEFAULT_MATERIAL";
    if (type == FIELD_SPECIAL_TARGET)
        path = ".//media//field_special.jpg";
    else if (IsStoneId(type))
        path = stoneTextures[type];
    IDirect3DTexture8* texture = CResourceManager::GetTextures()->GetTexture(path);
    if (device)
        device->SetTexture(0, texture);
}

D3DMATERIAL8 CStoneTypes::GetMaterial(int type)
{
    (void)type;
    return stoneMaterial;
}

// Ids outside 0..8 can reach the board from a level file. Such a stone is
// neither counted nor part of a group; like every stone but the block it may
// be slid. Negative values stand for no stone at all.
int CStoneTypes::IsCountedType(int type)
{
    return IsStoneId(type) ? countedTable[type] : 0;
}

int CStoneTypes::IsComboType(int type)
{
    return IsStoneId(type) ? comboTable[type] : 0;
}

int CStoneTypes::IsMovable(int type)
{
    if (IsStoneId(type))
        return movableTable[type];
    return type >= 0 ? 1 : 0;
}

int CStoneTypes::IsStoneItem(int item)
{
    return item >= 0 && item < FIRST_FIELD_VALUE ? 1 : 0;
}

const int* CStoneTypes::GetTypeList(int* count)
{
    if (count)
        *count = 10;
    return typeList;
}
