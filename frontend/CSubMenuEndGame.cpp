#include "CSubMenuEndGame.h"

#include "CGameController.h"

CSubMenuEndGame::CSubMenuEndGame(IDirect3DDevice8* device, CMenuRing* ring)
    : CSubMenuQuestion(device, ring, "Zurück zum Hauptmenü ?")
{
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
    if (controller && controller->IsGameOn())
        controller->running = 1;
    CloseAtOnce();
}
