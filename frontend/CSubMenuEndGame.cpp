#include "CSubMenuEndGame.h"

#include "C3DTextButton.h"
#include "C3DTextArea.h"
#include "CMouse.h"
#include "CD3DApplication.h"

void CSubMenuEndGame::CSubMenuClose_exit_IActionListener::actionPerformed(CActionEvent event)
{
    owner->exit_ActionPerformed(event);
}

CSubMenuEndGame::CSubMenuEndGame(IDirect3DDevice8* device, CMenuRing* ring)
    : CSubMenu(device, ring), exitListener(this)
{
}

CSubMenuEndGame::~CSubMenuEndGame()
{
}

void CSubMenuEndGame::exit_ActionPerformed(CActionEvent event)
{
    (void)event;
}

void CSubMenuEndGame::Close()
{
    SetMask(0);
    MarkForDeletion();
}

void CSubMenuEndGame::Confirm()
{
    exit_ActionPerformed(CActionEvent(0, CActionEvent::ACTION_DEFAULT));
}
