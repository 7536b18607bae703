#include "AllStonesRemovedFC.h"

#include "CGrid.h"

AllStonesRemovedFC::AllStonesRemovedFC()
{
}

AllStonesRemovedFC::~AllStonesRemovedFC()
{
}

int AllStonesRemovedFC::IsFinished(CGameController* controller)
{
    CGrid* board = BoardOf(controller);
    return (board && board->GetStoneCount() == 0) ? 1 : 0;
}

int AllStonesRemovedFC::IsLost(CGameController* controller)
{
    (void)controller;
    return 0;
}
