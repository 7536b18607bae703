// CStoneTypes: what a stone or field type id means. Every operation is static;
// the ids themselves are the named constants below.
#ifndef CSTONETYPES_H
#define CSTONETYPES_H

#include <string>

#include <d3d8.h>

// Stone type ids
const int STONE_SPECIAL = 0;          // goal stone of a level
const int STONE_BLOCK = 1;            // never bursts, cannot be slid
const int STONE_BLUE = 2;
const int STONE_GREEN = 3;
const int STONE_RED = 4;
const int STONE_YELLOW = 5;
const int STONE_ORANGE = 6;
const int STONE_BLUE_YELLOW = 7;
const int STONE_REDGREAN = 8;

// Field value of a target field (never a stone)
const int FIELD_SPECIAL_TARGET = 1001;

// A level's supply holds stone types below this value and field values from it on.
const int FIRST_FIELD_VALUE = 1000;

// Type and coordinates of the record that stands for an empty or outside cell
const int EMPTY_CELL = -9;

class CStoneTypes
{
public:
    virtual ~CStoneTypes();

    static std::string GetName(int type);

    // Sets the texture of the type on stage 0 of the device.
    static void ApplyTexture(IDirect3DDevice8* device, int type);
    static D3DMATERIAL8 GetMaterial(int type);

    // 1 when the board counts stones of the type (and so may offer it as a
    // random next stone), when they form bursting groups, when they can be slid.
    static int IsCountedType(int type);
    static int IsComboType(int type);
    static int IsMovable(int type);
    // 1 when an item of a level's supply is a stone (0 up to FIRST_FIELD_VALUE),
    // 0 for a field value (or a negative item).
    static int IsStoneItem(int item);

    // The constant list of every type id; *count receives its length.
    static const int* GetTypeList(int* count);
};

#endif
