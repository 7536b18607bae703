#include "CSubMenuEndGame.h"

#include "CGameController.h"

void CSubMenuEndGame::CSubMenuClose_exit_IActionListener::actionPerformed(CActionEvent event)
{
    owner->exit_ActionPerformed(event);
}

CSubMenuEndGame::CSubMenuEndGame(IDirect3DDevice8* device, CMenuRing* ring)
    : CSubMenu(device, ring), exitListener(this)
{
    BuildQuestion("Zurück zum Hauptmenü ?", 0.1f, &exitListener);
}

CSubMenuEndGame::~CSubMenuEndGame()
{
}

// Saves both files and has the application show the main menu; the scene is
// emptied while this runs, and the queue keeps the question until it returns.
void CSubMenuEndGame::exit_ActionPerformed(CActionEvent event)
{
    (void)event;
    if (IsMarkedForDeletion())
        return;   // answered already (OK and Return in one frame)
    CGameController::GetInstance()->SaveAndQuit();
    Close();
}

void CSubMenuEndGame::Close()
{
    // The game goes on, unless it has ended meanwhile.
    CGameController* controller = CGameController::GetExistingInstance();
    if (controller && controller->gameData)
        controller->running = 1;
    CloseAtOnce();
}

void CSubMenuEndGame::Confirm()
{
    exit_ActionPerformed(CActionEvent(0, CActionEvent::ACTION_DEFAULT));
}
