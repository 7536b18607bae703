#include "C3DCheckBox.h"

#include "CMouse.h"

// The mark of a checked box: a square inset by this fraction of the box on each side.
static const float MARK_INSET = 0.25f;
static const float MIN_BOX_PIXELS = 12.0f;

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
    // A tiny box grows about its centre to a size one can see, with a light edge.
    PixelRect r = GrowPixelRect(GetPixelRect(), MIN_BOX_PIXELS, MIN_BOX_PIXELS);
    OutlineRect(r, 1, locked ? 0x80C0C0C0 : 0xFFFAF4D6);
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
