#include "CSubMenuOptions.h"

CSubMenuOptions::CSubMenuOptions(IDirect3DDevice8* device, CMenuRing* ring, int)
    : CSubMenu(device, ring), musicState(0), soundState(0), resolutionToggle(NULL), startLevelToggle(NULL)
{
    displayRecord.dwCurrentDevice = 0;
}

CSubMenuOptions::~CSubMenuOptions()
{
}

void CSubMenuOptions::music_ActionPerformed(CActionEvent) {}
void CSubMenuOptions::effects_ActionPerformed(CActionEvent) {}
void CSubMenuOptions::envMap_ActionPerformed(CActionEvent) {}
void CSubMenuOptions::shadowEff_ActionPerformed(CActionEvent) {}
void CSubMenuOptions::geff_ActionPerformed(CActionEvent) {}
void CSubMenuOptions::res_ActionPerformed(CActionEvent) {}
void CSubMenuOptions::startlevel_ActionPerformed(CActionEvent) {}

void CSubMenuOptions::Close()
{
    CSubMenu::Close();
}
