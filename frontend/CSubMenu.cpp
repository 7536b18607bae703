#include "CSubMenu.h"

#include "CZarulApplication.h"
#include "CMenuRing.h"
#include "C3DFrame.h"
#include "C3DTextButton.h"
#include "C3DText.h"
#include "C3DTextArea.h"
#include "CWindowScaleModifier.h"
#include "CResourceManager.h"
#include "CInputManager.h"
#include "CMouse.h"

const D3DXCOLOR CSubMenu::TEXT_BLUE(0.09f, 0.1f, 0.66f, 1.0f);
const D3DXCOLOR CSubMenu::FRAME_YELLOW(1.0f, 1.0f, 0.2f, 0.7f);

static const CRECTVirtual OPEN_RECT(0.25f, 0.25f, 0.5f, 0.5f);
static const CRECTVirtual POINT_RECT(0.5f, 0.5f, 0.0f, 0.0f);
static const float SCALE_SECONDS = 0.3f;

void CSubMenu::CSubMenu_back_IActionListener::actionPerformed(CActionEvent event)
{
    owner->back_ActionPerformed(event);
}

CSubMenu::CSubMenu(IDirect3DDevice8* device, CMenuRing* ring)
    : C3DWindow(device, OPEN_RECT), scaleModifier(nullptr), ring(ring), closing(0), backButton(nullptr),
      backListener(this)
{
    SetColor(D3DXCOLOR(0.0f, 0.0f, 0.0f, 0.5f), D3DXCOLOR(0.0f, 0.0f, 0.0f, 0.7f));
    if (ring)
        ring->SetActive(0);
    closing = 0;

    // Pointer input stays inside the submenu while it is open.
    SetMask(1);

    backButton = new C3DTextButton(device, CRECTVirtual(0.4f, 0.85f, 0.2f, 0.1f), "zurück", ".//media//arial.dds",
                                   D3DXCOLOR(0.0f, 0.0f, 0.0f, 0.0f));
    CZarulApplication::ListenToMouse(backButton);
    backButton->AddActionListener(&backListener);
    backButton->GetTextRenderer()->color = (DWORD)TEXT_BLUE;
    backButton->GetTextRenderer()->effects |= C3DText::EFFECT_SHADDOW;
    AddWindow(backButton);

    // Grows out of the middle of the screen.
    SetRect(POINT_RECT);
    scaleModifier = new CWindowScaleModifier(POINT_RECT, OPEN_RECT, SCALE_SECONDS);
    scaleModifier->AddChangeListener(this);
    AddModifier(scaleModifier);

    C3DFrame* frame = new C3DFrame(device, CRECTVirtual(0.0f, 0.0f, 1.0f, 1.0f), (DWORD)FRAME_YELLOW);
    frame->SetBorderSize(4);
    AddWindow(frame);

    CResourceManager::GetInputManager()->AddKeyListener(this);
}

CSubMenu::~CSubMenu()
{
    if (scaleModifier) {
        RemoveModifier(scaleModifier);
        delete scaleModifier;
        scaleModifier = nullptr;
    }
    CResourceManager::GetInputManager()->RemoveKeyListener(this);
    // A destroyed window leaves the mouse by itself; the submenu itself is also
    // a window, and may have been registered by a subclass.
    CMouse::RemoveListenerEverywhere(static_cast<IMouseListener*>(this));
    CMouse::RemoveListenerEverywhere(static_cast<IMouseMotionListener*>(this));
    actionListeners.Clear();
}

void CSubMenu::Render()
{
    C3DWindow::Render();
}

void CSubMenu::SetMask(int on)
{
    if (CMouse* mouse = CD3DApplication::LiveMouse())
        mouse->SetMouseMask(on, GetWindowSize(), 1);
}

void CSubMenu::Close()
{
    if (scaleModifier) {
        RemoveModifier(scaleModifier);
        delete scaleModifier;
        scaleModifier = nullptr;
    }
    SetMask(0);
    scaleModifier = new CWindowScaleModifier(OPEN_RECT, POINT_RECT, SCALE_SECONDS);
    AddModifier(scaleModifier);
    scaleModifier->AddChangeListener(this);
    closing = 1;
}

void CSubMenu::Confirm()
{
}

void CSubMenu::AddActionListener(IActionListener* listener)
{
    actionListeners.Add(listener);
}

void CSubMenu::RemoveActionListener(IActionListener* listener)
{
    actionListeners.RemoveAll(listener);
}

void CSubMenu::FireAction(CActionEvent event)
{
    // A listener may change the list (or empty the scene) meanwhile.
    actionListeners.Fire(&IActionListener::actionPerformed, event);
}

void CSubMenu::back_ActionPerformed(CActionEvent event)
{
    (void)event;
    CZarulApplication::PlayMenuSound("MENU_CLICK");
    Close();
}

void CSubMenu::stateChanged(CChangeEvent event)
{
    (void)event;
    if (closing != 1)
        return;
    if (ring)
        ring->SetActive(1);
    MarkForDeletion();
}

void CSubMenu::keyPressed(CKeyEvent event)
{
    switch (event.GetKeyCode()) {
    case DIK_ESCAPE:
        Close();
        break;
    case DIK_RETURN:
        Confirm();
        break;
    default:
        break;
    }
}

void CSubMenu::keyReleased(CKeyEvent event)
{
    (void)event;
}

void CSubMenu::BuildQuestion(const char* question, float x, IActionListener* ok)
{
    SetRect(CRECTVirtual(0.3f, 0.45f, 0.4f, 0.2f));

    C3DTextButton* button = new C3DTextButton(device, CRECTVirtual(0.35f, 0.5f, 0.3f, 0.2f), "OK", ".//media//arial.dds",
                                              D3DXCOLOR(0.0f, 0.0f, 0.0f, 0.0f));
    button->AddActionListener(ok);
    CZarulApplication::ListenToMouse(button);
    AddWindow(button);

    C3DTextArea* text = new C3DTextArea(device, CRECTVirtual(0.0f, 0.0f, 1.0f, 1.0f), 0.2f, TEXT_BLUE);
    text->AddText(question, CPOINTVirtual(x, 0.2f), 0.0f, D3DXCOLOR(0.0f, 0.0f, 0.0f, 0.0f));
    AddWindow(text);

    // The question shows at once at its own size; the base still deletes the
    // scale-in it no longer runs.
    RemoveModifier(scaleModifier);
}

void CSubMenu::CloseAtOnce()
{
    SetMask(0);
    if (ring)
        ring->SetActive(1);
    MarkForDeletion();
}
