#include "CSubMenuHighScore.h"

CSubMenuHighScore::CSubMenuHighScore(IDirect3DDevice8* device, CMenuRing* ring)
    : CSubMenu(device, ring), textArea(NULL), pageCount(1), levelCount(0), chooser(NULL)
{
}

CSubMenuHighScore::~CSubMenuHighScore()
{
}

void CSubMenuHighScore::ShowPage(int) {}
void CSubMenuHighScore::page_ActionPerformed(CActionEvent) {}
