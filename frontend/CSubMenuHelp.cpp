#include "CSubMenuHelp.h"

CSubMenuHelp::CSubMenuHelp(IDirect3DDevice8* device, CMenuRing* ring)
    : CSubMenu(device, ring), textArea(NULL), chooser(NULL)
{
}

CSubMenuHelp::~CSubMenuHelp()
{
}

const char* CSubMenuHelp::GetPageText(int)
{
    return NULL;
}

void CSubMenuHelp::ShowPage(int) {}
void CSubMenuHelp::page_ActionPerformed(CActionEvent) {}
