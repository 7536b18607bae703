#include "C3DAbstractButton.h"

#include "CMouse.h"

C3DAbstractButton::C3DAbstractButton(IDirect3DDevice8* device_, CRECTVirtual rect_)
    : C3DWindow(device_, rect_), mouseOver(0), pressed(0)
{
    takesPointer = 1;
}

C3DAbstractButton::~C3DAbstractButton()
{
}

void C3DAbstractButton::AddActionListener(IActionListener* listener)
{
    actionListeners.Add(listener);
}

void C3DAbstractButton::RemoveActionListener(IActionListener* listener)
{
    actionListeners.RemoveAll(listener);
}

void C3DAbstractButton::fireActionPerformed(CActionEvent event)
{
    // A listener may remove others, or delete the button with its list: work
    // on a copy, skip the removed, and stop once the button is gone.
    std::shared_ptr<bool> token = alive;
    std::vector<IActionListener*> snapshot = actionListeners.Snapshot();
    for (size_t i = 0; i < snapshot.size(); i++) {
        if (!actionListeners.Contains(snapshot[i]))
            continue;
        snapshot[i]->actionPerformed(event);
        if (!*token)
            return;
    }
}

void C3DAbstractButton::MouseClicked(CMouseEvent event)
{
    if (TakeClick(event))
        fireActionPerformed(CActionEvent(this, CActionEvent::ACTION_DEFAULT));
}

void C3DAbstractButton::MouseMoved(CMouseEvent event)
{
    TrackPointer(event);
}

void C3DAbstractButton::MouseDragged(CMouseEvent event)
{
    TrackPointer(event);
}

bool C3DAbstractButton::TakeClick(const CMouseEvent& event)
{
    TrackPointer(event);
    int left = event.getMouseButtonState(0);
    bool click = false;
    if (left == CMouseEvent::MOUSE_BUTTON_PRESS) {
        pressed = mouseOver;
    } else if (left == CMouseEvent::MOUSE_BUTTON_RELEASE) {
        click = pressed && mouseOver;
        pressed = 0;
    }
    UpdateState();
    if (click) {
        // The click was meant for this button, not for what lies under it.
        CMouse* mouse = dynamic_cast<CMouse*>(event.source);
        if (mouse && CMouse::IsLive(mouse))
            mouse->ConsumeEvent();
    }
    return click;
}

void C3DAbstractButton::TrackPointer(const CMouseEvent& event)
{
    mouseOver = IsUnderPointer(event.x, event.y) ? 1 : 0;
    UpdateState();
}

void C3DAbstractButton::UpdateState()
{
    state = pressed ? STATE_PRESSED : (mouseOver ? STATE_MOUSEOVER : STATE_ACTIVE);
}
