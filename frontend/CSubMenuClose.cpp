#include "CSubMenuClose.h"

void CSubMenuClose::CSubMenuClose_exit_IActionListener::actionPerformed(CActionEvent event)
{
    owner->exit_ActionPerformed(event);
}

CSubMenuClose::CSubMenuClose(IDirect3DDevice8* device, CMenuRing* ring)
    : CSubMenu(device, ring), exitListener(this)
{
    BuildQuestion("Wollen Sie Zarul beenden ?", 0.1f, &exitListener);
}

CSubMenuClose::~CSubMenuClose()
{
}

// The question stays open: the frame loop ends on the quit message.
void CSubMenuClose::exit_ActionPerformed(CActionEvent event)
{
    (void)event;
    PostQuitMessage(1);
}

void CSubMenuClose::Close()
{
    CloseAtOnce();
}

void CSubMenuClose::Confirm()
{
    exit_ActionPerformed(CActionEvent(0, CActionEvent::ACTION_DEFAULT));
}
