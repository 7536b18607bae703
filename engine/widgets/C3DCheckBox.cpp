#include "C3DCheckBox.h"

#include "CMouse.h"

// The mark of a checked box: a square inset by this fraction of the box on each side.
static const float MARK_INSET = 0.25f;

C3DCheckBox::C3DCheckBox(IDirect3DDevice8* device_, CRECTVirtual rect_, CMouse* mouse)
    : C3DAbstractButton(device_, rect_), checked(0), locked(0)
{
    if (mouse) {
        mouse->AddMouseEventListener(this);
        mouse->AddMouseMotionEventListener(this);
    }
}

C3DCheckBox::~C3DCheckBox()
{
}

void C3DCheckBox::Render()
{
    RenderBackground();
    PixelRect r = GetPixelRect();
    if (locked)
        FillRect(r, D3DXCOLOR(0.5f, 0.5f, 0.5f, 0.3f), D3DXCOLOR(0.5f, 0.5f, 0.5f, 0.3f));
    if (checked) {
        PixelRect mark = { r.x + r.width * MARK_INSET, r.y + r.height * MARK_INSET,
                           r.width * (1.0f - 2.0f * MARK_INSET), r.height * (1.0f - 2.0f * MARK_INSET) };
        D3DXCOLOR color(1.0f, 1.0f, 1.0f, locked ? 0.4f : 0.9f);
        FillRect(mark, color, color);
    }
    RenderChildren();
}

void C3DCheckBox::MouseClicked(CMouseEvent event)
{
    if (!TakeClick(event) || locked)
        return;
    checked = checked ? 0 : 1;
    fireActionPerformed(CActionEvent(this, CActionEvent::ACTION_DEFAULT));
}

void C3DCheckBox::SetChecked(int on)
{
    checked = on ? 1 : 0;
}

void C3DCheckBox::SetLocked(int on)
{
    locked = on ? 1 : 0;
}
