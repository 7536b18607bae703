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
    renderer->DrawTextPixels(text.c_str(), r.x, r.y, r.height);
    RenderChildren();
}

void C3DStaticText::SetText(const char* newText)
{
    text = newText ? newText : "";
}
