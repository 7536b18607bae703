#include "CSpecialStoneComboFC.h"

#include "CGrid.h"
#include "CStoneTypes.h"

CSpecialStoneComboFC::CSpecialStoneComboFC()
{
}

CSpecialStoneComboFC::~CSpecialStoneComboFC()
{
}

int CSpecialStoneComboFC::IsFinished(CGameData* game)
{
    CGrid* board = BoardOf(game);
    return (board && board->HasLineOfType(STONE_SPECIAL) == 1) ? 1 : 0;
}

int CSpecialStoneComboFC::IsLost(CGameData* game)
{
    (void)game;
    return 0;
}
