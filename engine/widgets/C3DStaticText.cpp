#include "C3DStaticText.h"

C3DStaticText::C3DStaticText(IDirect3DDevice8* device_, CRECTVirtual rect_, const char* text_, const char* font)
    : C3DWindow(device_, rect_), text(text_ ? text_ : ""), renderer(new C3DText(device_))
{
    renderer->SetFontTexture(font);
}

C3DStaticText::~C3DStaticText()
{
    delete renderer;
}

void C3DStaticText::Render()
{
    RenderBackground();
    PixelRect r = GetPixelRect();
    // A label may run on to the right over the free room of the window
    // holding it: labels are laid out by where they start.
    PixelRect box = r;
    PixelRect inside;
    bool framed = InsideParent(&inside);
    if (framed && inside.x + inside.width > box.x + box.width)
        box.width = inside.x + inside.width - box.x;
    renderer->DrawLineInBox(text.c_str(), box, false, framed ? &inside : nullptr);
    RenderChildren();
}

void C3DStaticText::SetText(const char* newText)
{
    text = newText ? newText : "";
}
