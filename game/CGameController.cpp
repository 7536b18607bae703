#include "CGameController.h"

#include "CGameData.h"
#include "CLevelLoader.h"

static CGameController* instance = nullptr;

CGameController* CGameController::GetInstance()
{
    if (!instance)
        instance = new CGameController();
    return instance;
}

CGameController* CGameController::GetExistingInstance()
{
    return instance;
}

void CGameController::DestroyInstance()
{
    delete instance;
    instance = nullptr;
}

CGameController::CGameController()
    : pendingDrops(0), fade(nullptr), finishChecker(nullptr), gameData(nullptr), gridView(nullptr),
      nextStoneView(nullptr), background(nullptr), won(0), levelLoader(nullptr), editorMode(0), mode(0),
      handlers{nullptr, nullptr, nullptr}, modeCount(2), running(0), gameOn(0), fadeListener(nullptr)
{
}

CGameController::~CGameController()
{
    delete gameData;
    gameData = nullptr;
    delete levelLoader;
}

void CGameController::StartGame() {}
void CGameController::EndGame() {}
void CGameController::StartLevel(CLevel*) {}
void CGameController::RestartLevel() {}
void CGameController::StartEditorLevel(CLevel*) {}
void CGameController::SetEditorMode(int) {}
void CGameController::ToggleMode() {}
void CGameController::AddActionListener(IActionListener*) {}
void CGameController::FireActionPerformed(CActionEvent) {}
void CGameController::AddChangeListener(IChangeListener*) {}
void CGameController::RemoveChangeListener(IChangeListener*) {}
void CGameController::FireStateChanged(CChangeEvent) {}
void CGameController::keyPressed(CKeyEvent) {}
void CGameController::keyReleased(CKeyEvent) {}
void CGameController::actionPerformed(CActionEvent) {}
void CGameController::stateChanged(CChangeEvent) {}
void CGameController::PlaceStone(int, int) {}
void CGameController::PlaceStoneOfType(int, int, int) {}
void CGameController::StartComboTimer() {}
void CGameController::CheckLevelFinished() {}
void CGameController::OnLevelFinishedClosed() {}
void CGameController::OnFadeFinished(CChangeEvent) {}
void CGameController::NextLevelOrQuit() {}
CScore* CGameController::GetOrCreateScore(CLevel*) { return nullptr; }
CScore* CGameController::GetCurrentScore() { return nullptr; }
int CGameController::RecordScore(const char*) { return -1; }
void CGameController::SaveLevels() {}
void CGameController::SaveAndQuit() {}
void CGameController::ShowLevelBanner(CLevel*) {}
void CGameController::CGameController_Fade_IChangeListener::stateChanged(CChangeEvent) {}
void CGameController::C3DWindow_IChangeListener::stateChanged(CChangeEvent) {}
