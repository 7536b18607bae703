#include "CAbstractFinishChecker.h"

#include "CGameController.h"
#include "CGameData.h"

CAbstractFinishChecker::~CAbstractFinishChecker()
{
}

CGrid* CAbstractFinishChecker::BoardOf(CGameController* controller)
{
    if (!controller || !controller->gameData)
        return nullptr;
    return controller->gameData->board;
}
