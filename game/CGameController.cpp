#include "CGameController.h"

#include "CGameData.h"

static CGameController* instance = nullptr;

CGameController* CGameController::GetInstance()
{
    if (!instance)
        instance = new CGameController();
    return instance;
}

void CGameController::DestroyInstance()
{
    delete instance;
    instance = nullptr;
}

CGameController::CGameController()
    : gameData(nullptr), gridView(nullptr)
{
}

CGameController::~CGameController()
{
    delete gameData;
    gameData = nullptr;
}
