#include "CGameOverlay.h"

CGameOverlay::CGameOverlay(IDirect3DDevice8* device, CGameController* controller)
    : rightPanel(nullptr), bottomPanel(nullptr), levelLabel(nullptr), moveCounter(nullptr), modeButton(nullptr),
      device(device), controller(controller)
{
}

CGameOverlay::~CGameOverlay() {}
void CGameOverlay::stateChanged(CChangeEvent) {}
void CGameOverlay::SetLevel(int) {}
void CGameOverlay::SetMoves(int) {}
void CGameOverlay::AddActionListener(IActionListener*) {}
void CGameOverlay::fireActionPerformed(CActionEvent) {}
void CGameOverlay::UpdateModeLabel() {}
C3DTextButton* CGameOverlay::CreateTextButton(const char*, float, float, float, float) { return nullptr; }
void CGameOverlay::mode_ActionPerformed(CActionEvent) {}
void CGameOverlay::reset_ActionPerformed(CActionEvent) {}
void CGameOverlay::options_ActionPerformed(CActionEvent) {}
void CGameOverlay::exit_ActionPerformed(CActionEvent) {}
void CGameOverlay::optionclosed_StateChanged(CChangeEvent) {}
void CGameOverlay::OpenSubMenu(C3DWindow*) {}
void CGameOverlay::CGameOverlay_optionclosed_IChangeListener::stateChanged(CChangeEvent) {}
