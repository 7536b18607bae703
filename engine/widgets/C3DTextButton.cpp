#include "C3DTextButton.h"

// How far the background goes towards white under the pointer, and the least
// alpha it then has, so that a button without a background lights up too.
static const float HOVER_LIGHTEN = 0.4f;
static const float HOVER_MIN_ALPHA = 0.3f;

static D3DXCOLOR Lighten(D3DXCOLOR c)
{
    c.r += (1.0f - c.r) * HOVER_LIGHTEN;
    c.g += (1.0f - c.g) * HOVER_LIGHTEN;
    c.b += (1.0f - c.b) * HOVER_LIGHTEN;
    if (c.a < HOVER_MIN_ALPHA)
        c.a = HOVER_MIN_ALPHA;
    return c;
}

C3DTextButton::C3DTextButton(IDirect3DDevice8* device_, CRECTVirtual rect_, const char* text_, const char* font,
                             D3DXCOLOR color)
    : C3DAbstractButton(device_, rect_), text(text_ ? text_ : ""), renderer(new C3DText(device_))
{
    SetColor(color, color);
    renderer->SetFontTexture(font);
}

C3DTextButton::~C3DTextButton()
{
    delete renderer;
}

void C3DTextButton::Render()
{
    MarkDrawn();
    PixelRect r = GetPixelRect();
    if (mouseOver)
        FillRect(r, Lighten(colors[0]), Lighten(colors[1]));
    else if (colors[0].a > 0.0f || colors[1].a > 0.0f)
        FillRect(r, colors[0], colors[1]);
    PixelRect inside;
    bool framed = InsideParent(&inside);
    renderer->DrawLineInBox(text.c_str(), r, true, framed ? &inside : nullptr);
    RenderChildren();
}

void C3DTextButton::SetText(const char* newText)
{
    text = newText ? newText : "";
}
