#include "CSubMenuQuestion.h"

void CSubMenuQuestion::CSubMenuClose_exit_IActionListener::actionPerformed(CActionEvent event)
{
    owner->exit_ActionPerformed(event);
}

CSubMenuQuestion::CSubMenuQuestion(IDirect3DDevice8* device, CMenuRing* ring, const char* question)
    : CSubMenu(device, ring), exitListener(this)
{
    BuildQuestion(question, 0.1f, &exitListener);
}

CSubMenuQuestion::~CSubMenuQuestion()
{
}

void CSubMenuQuestion::Confirm()
{
    exit_ActionPerformed(CActionEvent(nullptr, CActionEvent::ACTION_DEFAULT));
}
