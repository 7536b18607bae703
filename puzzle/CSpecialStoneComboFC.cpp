#include "CSpecialStoneComboFC.h"

#include "CGrid.h"
#include "CStoneTypes.h"

CSpecialStoneComboFC::CSpecialStoneComboFC()
{
}

CSpecialStoneComboFC::~CSpecialStoneComboFC()
{
}

int CSpecialStoneComboFC::IsFinished(CGameController* controller)
{
    CGrid* board = BoardOf(controller);
    return (board && board->HasLineOfType(STONE_SPECIAL) == 1) ? 1 : 0;
}

int CSpecialStoneComboFC::IsLost(CGameController* controller)
{
    (void)controller;
    return 0;
}
