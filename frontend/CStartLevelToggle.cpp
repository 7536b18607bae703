#include "CStartLevelToggle.h"

#include <stdio.h>

#include "CGameController.h"
#include "CLevelLoader.h"

CStartLevelToggle::CStartLevelToggle(IDirect3DDevice8* device, CRECTVirtual rect, int maximum, CMouse* mouse)
    : C3DToggleSelection(device, rect, ".//media//next.dds", ".//media//prev.dds", nullptr, 0, mouse, 0.2f),
      maximum(maximum < 1 ? 1 : maximum)
{
    // Starts at the stored start level, shown as it stands even when it lies
    // above the maximum; the first arrow press brings it into range.
    CGameController* controller = CGameController::GetInstance();
    if (controller && controller->levelLoader)
        selection = controller->levelLoader->last;
    else
        selection = 1;
    UpdateText();
}

CStartLevelToggle::~CStartLevelToggle()
{
}

void CStartLevelToggle::prev_ActionPerformed(CActionEvent)
{
    // Written to bring any number, also one below 1 from a damaged level file,
    // into 1..maximum; from 1 it gives the maximum.
    selection = ((selection + maximum - 2) % maximum + maximum) % maximum + 1;
    UpdateText();
    fireActionPerformed(CActionEvent(this, CActionEvent::ACTION_DEFAULT));
}

void CStartLevelToggle::next_ActionPerformed(CActionEvent)
{
    selection = (selection % maximum + maximum) % maximum + 1;
    UpdateText();
    fireActionPerformed(CActionEvent(this, CActionEvent::ACTION_DEFAULT));
}

void CStartLevelToggle::UpdateText()
{
    char text[12];
    snprintf(text, sizeof(text), "%d", selection);
    if (labelButton)
        labelButton->SetText(text);
}
