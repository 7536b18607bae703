#include "CSpecialFieldFC.h"

#include "CGrid.h"
#include "CStoneTypes.h"

CSpecialFieldFC::CSpecialFieldFC()
{
}

CSpecialFieldFC::~CSpecialFieldFC()
{
}

// An uncovered target field, or one with any other stone on the floor layer,
// keeps the level open, whatever stands higher up in the column.
int CSpecialFieldFC::IsFinished(CGameData* game)
{
    CGrid* board = BoardOf(game);
    if (!board)
        return 0;
    for (int y = 0; y < board->height; y++) {
        for (int x = 0; x < board->width; x++) {
            if (board->fields[x][y] != FIELD_SPECIAL_TARGET)
                continue;
            if (board->GetStoneInfo(x, y, 0).type != STONE_SPECIAL)
                return 0;
        }
    }
    return 1;
}

int CSpecialFieldFC::IsLost(CGameData* game)
{
    (void)game;
    return 0;
}
