#include "CLevel.h"

#include <algorithm>
#include <utility>

#include "CStoneInfo.h"

CLevel::CLevel()
    : name("New Level"), size(0), placeableMode(0), placeableTypes(nullptr), placeableCount(0),
      stones(nullptr), fields(nullptr), stoneCount(0), fieldCount(0), number(0)
{
}

CLevel::~CLevel()
{
    DeleteStones();
    delete[] fields;
    delete[] placeableTypes;
}

void CLevel::DeleteStones()
{
    for (int i = 0; i < stoneCount; i++)
        delete stones[i];
    delete[] stones;
    stones = nullptr;
    stoneCount = 0;
}

void CLevel::SetName(std::string newName)
{
    name = std::move(newName);
}

std::string CLevel::GetName()
{
    return name;
}

void CLevel::SetStones(CStoneInfo** newStones, int count)
{
    // Given the level's own array, only the count and the order change:
    // releasing it first would leave the level holding freed records.
    if (newStones && newStones == stones) {
        for (int i = count; i < stoneCount; i++)
            delete stones[i];
        stoneCount = count < stoneCount ? count : stoneCount;
        SortStones();
        return;
    }
    DeleteStones();
    stones = newStones;
    stoneCount = newStones ? count : 0;
    SortStones();
}

void CLevel::SetFields(CStoneInfo* newFields, int count)
{
    if (newFields != fields)
        delete[] fields;
    fields = newFields;
    fieldCount = newFields ? count : 0;
}

// Orders the stones by layer; stones of one layer keep their order, so each
// column is rebuilt from the bottom when the stones are placed one after the
// other. A stable sort keeps that order in O(n log n) for any number of stones.
void CLevel::SortStones()
{
    if (!stones || stoneCount < 2)
        return;
    std::stable_sort(stones, stones + stoneCount,
                     [](const CStoneInfo* a, const CStoneInfo* b) { return a->z < b->z; });
}
