#include "AllStonesRemovedFC.h"

#include "CGrid.h"

AllStonesRemovedFC::AllStonesRemovedFC()
{
}

AllStonesRemovedFC::~AllStonesRemovedFC()
{
}

int AllStonesRemovedFC::IsFinished(CGameData* game)
{
    CGrid* board = BoardOf(game);
    return (board && board->GetStoneCount() == 0) ? 1 : 0;
}

int AllStonesRemovedFC::IsLost(CGameData* game)
{
    (void)game;
    return 0;
}
