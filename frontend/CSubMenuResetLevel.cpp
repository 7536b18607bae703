#include "CSubMenuResetLevel.h"

#include "C3DTextButton.h"
#include "C3DTextArea.h"
#include "CMouse.h"
#include "CD3DApplication.h"

void CSubMenuResetLevel::CSubMenuResetLevel_reset_IActionListener::actionPerformed(CActionEvent event)
{
    owner->reset_ActionPerformed(event);
}

CSubMenuResetLevel::CSubMenuResetLevel(IDirect3DDevice8* device, CMenuRing* ring)
    : CSubMenu(device, ring), resetListener(this)
{
}

CSubMenuResetLevel::~CSubMenuResetLevel()
{
}

void CSubMenuResetLevel::reset_ActionPerformed(CActionEvent event)
{
    (void)event;
}

void CSubMenuResetLevel::Close()
{
    SetMask(0);
    MarkForDeletion();
}

void CSubMenuResetLevel::Confirm()
{
    reset_ActionPerformed(CActionEvent());
}
