#include "CSubMenuResetLevel.h"

#include "CGameController.h"

void CSubMenuResetLevel::CSubMenuResetLevel_reset_IActionListener::actionPerformed(CActionEvent event)
{
    owner->reset_ActionPerformed(event);
}

CSubMenuResetLevel::CSubMenuResetLevel(IDirect3DDevice8* device, CMenuRing* ring)
    : CSubMenu(device, ring), resetListener(this)
{
    BuildQuestion("Level zurücksetzen ?", 0.2f, &resetListener);
}

CSubMenuResetLevel::~CSubMenuResetLevel()
{
}

void CSubMenuResetLevel::reset_ActionPerformed(CActionEvent event)
{
    if (IsMarkedForDeletion())
        return;   // answered already (OK and Return in one frame)
    event.SetID(ACTION_RESET_LEVEL);
    CGameController::GetInstance()->actionPerformed(event);
    Close();
}

void CSubMenuResetLevel::Close()
{
    CloseAtOnce();
}

void CSubMenuResetLevel::Confirm()
{
    reset_ActionPerformed(CActionEvent());
}
