#include "CAbstractFinishChecker.h"

#include "CGameData.h"

CAbstractFinishChecker::~CAbstractFinishChecker()
{
}

CGrid* CAbstractFinishChecker::BoardOf(CGameData* game)
{
    return game ? game->board : nullptr;
}
