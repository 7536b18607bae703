#include "CLevelValidator.h"

#include <set>
#include <utility>

#include "CGrid.h"
#include "CLevel.h"
#include "CStoneInfo.h"
#include "CStoneTypes.h"

static bool IsStoneType(int type)
{
    return type >= STONE_SPECIAL && type <= STONE_REDGREAN;
}

static std::string Place(const CStoneInfo& record)
{
    return std::to_string(record.x) + ", " + std::to_string(record.y) + ", " + std::to_string(record.z);
}

// "" when the record stands on the board below the top layer, else why not.
static std::string PlaceFault(const CStoneInfo& record, int boardSize)
{
    if (record.x < 0 || record.x >= boardSize || record.y < 0 || record.y >= boardSize || record.z < 0)
        return "lies off the board";
    if (record.z >= CGrid::LAYERS)
        return "lies above the top layer";
    return "";
}

std::vector<std::string> CLevelValidator::Check(CLevel* level, int boardSize)
{
    std::vector<std::string> faults;
    std::set<std::pair<int, int> > targets;
    std::vector<int> columnHeights(boardSize * boardSize, 0);
    int specials = 0;

    for (int i = 0; i < level->fieldCount; i++) {
        const CStoneInfo& field = level->fields[i];
        std::string what = "field " + std::to_string(i + 1) + " at " + Place(field);
        std::string fault = PlaceFault(field, boardSize);
        if (!fault.empty())
            faults.push_back(what + " " + fault);
        if (field.type != FIELD_SPECIAL_TARGET)
            faults.push_back(what + " has the unknown field type " + std::to_string(field.type));
        else if (fault.empty())
            targets.insert(std::make_pair(field.x, field.y));
    }

    for (int i = 0; i < level->stoneCount; i++) {
        const CStoneInfo& stone = *level->stones[i];
        std::string what = "stone " + std::to_string(i + 1) + " at " + Place(stone);
        std::string fault = PlaceFault(stone, boardSize);
        if (!fault.empty())
            faults.push_back(what + " " + fault);
        else if (++columnHeights[stone.x + stone.y * boardSize] == CGrid::LAYERS + 1)
            faults.push_back("column " + std::to_string(stone.x) + ", " + std::to_string(stone.y) +
                             " holds more stones than its " + std::to_string(CGrid::LAYERS) + " layers");
        if (stone.type == FIELD_SPECIAL_TARGET)
            faults.push_back(what + " has the field type " + std::to_string(stone.type) + " as a stone");
        else if (!IsStoneType(stone.type))
            faults.push_back(what + " has the unknown type " + std::to_string(stone.type));
        if (stone.type == STONE_SPECIAL)
            specials++;
    }

    // The stack is used only in the finite mode; the random supply offers
    // colours already on the board, never a special stone.
    int stackTargets = 0;
    if (level->placeableMode == 0) {
        for (int i = 0; i < level->placeableCount; i++) {
            int type = level->placeableTypes[i];
            if (type == STONE_SPECIAL)
                specials++;
            else if (type == FIELD_SPECIAL_TARGET)
                stackTargets++;
            else if (!IsStoneType(type))
                faults.push_back("stack stone " + std::to_string(i + 1) + " has the unknown type " +
                                 std::to_string(type));
        }
    }

    if (targets.empty() && stackTargets == 0)
        faults.push_back("no target field");
    else if (specials < (int)targets.size())
        faults.push_back(std::to_string(specials) + " special stones for " + std::to_string(targets.size()) +
                         " target fields");
    return faults;
}
