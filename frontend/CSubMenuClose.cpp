#include "CSubMenuClose.h"

#include "CMenuRing.h"
#include "C3DTextButton.h"
#include "C3DTextArea.h"
#include "CWindowScaleModifier.h"
#include "CMouse.h"
#include "CD3DApplication.h"

void CSubMenuClose::CSubMenuClose_exit_IActionListener::actionPerformed(CActionEvent event)
{
    owner->exit_ActionPerformed(event);
}

CSubMenuClose::CSubMenuClose(IDirect3DDevice8* device, CMenuRing* ring)
    : CSubMenu(device, ring), exitListener(this)
{
    SetRect(CRECTVirtual(0.3f, 0.45f, 0.4f, 0.2f));

    C3DTextButton* ok = new C3DTextButton(device, CRECTVirtual(0.35f, 0.5f, 0.3f, 0.2f), "OK", ".//media//arial.dds",
                                          D3DXCOLOR(0.0f, 0.0f, 0.0f, 0.0f));
    ok->AddActionListener(&exitListener);
    if (g_pD3DApp && CMouse::IsLive(g_pD3DApp->mouse)) {
        g_pD3DApp->mouse->AddMouseEventListener(ok);
        g_pD3DApp->mouse->AddMouseMotionEventListener(ok);
    }
    AddWindow(ok);

    C3DTextArea* question = new C3DTextArea(device, CRECTVirtual(0.0f, 0.0f, 1.0f, 1.0f), 0.2f, TEXT_BLUE);
    question->AddText("Wollen Sie Zarul beenden ?", CPOINTVirtual(0.1f, 0.2f), 0.0f, D3DXCOLOR(0.0f, 0.0f, 0.0f, 0.0f));
    AddWindow(question);

    // The question shows at once at its own size.
    RemoveModifier(scaleModifier);
}

CSubMenuClose::~CSubMenuClose()
{
}

void CSubMenuClose::exit_ActionPerformed(CActionEvent event)
{
    (void)event;
    PostQuitMessage(1);
}

void CSubMenuClose::Close()
{
    SetMask(0);
    if (ring)
        ring->SetActive(1);
    MarkForDeletion();
}

void CSubMenuClose::Confirm()
{
    exit_ActionPerformed(CActionEvent(0, CActionEvent::ACTION_DEFAULT));
}
