#include "CSubMenuStart.h"

void CSubMenuStart::CSubMenuStart_StartButton_IActionListener::actionPerformed(CActionEvent event)
{
    owner->StartButton_ActionPerformed(event);
}

void CSubMenuStart::CSubMenuStart_Fade_IChangeListener::stateChanged(CChangeEvent event)
{
    owner->Fade_StateChanged(event);
}

CSubMenuStart::CSubMenuStart(IDirect3DDevice8* device, CMenuRing* ring)
    : CSubMenu(device, ring), startListener(this), fadeListener(this), startFade(0), starting(0), started(0)
{
}

CSubMenuStart::~CSubMenuStart()
{
}

void CSubMenuStart::StartButton_ActionPerformed(CActionEvent event)
{
    (void)event;
}

void CSubMenuStart::Fade_StateChanged(CChangeEvent event)
{
    (void)event;
}

void CSubMenuStart::Confirm()
{
    StartButton_ActionPerformed(CActionEvent(0, CActionEvent::ACTION_DEFAULT));
}

void CSubMenuStart::Close()
{
    if (starting)
        return;
    CSubMenu::Close();
}
