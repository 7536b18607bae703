#include "C3DButton.h"

#include "CResourceManager.h"
#include "CTexMgr.h"
#include "WindowDrawing.h"

// Colour factor of a highlighting button while the pointer is elsewhere.
static const float RESTING_BRIGHTNESS = 0.75f;
static const float MIN_PICTURE_PIXELS = 11.0f;

C3DButton::C3DButton(IDirect3DDevice8* device_, CRECTVirtual rect_, const char* texture)
    : C3DAbstractButton(device_, rect_), textureName(texture ? texture : ""), highlight(1)
{
    SetColor(D3DXCOLOR(1.0f, 1.0f, 1.0f, 1.0f), D3DXCOLOR(1.0f, 1.0f, 1.0f, 1.0f));
}

C3DButton::~C3DButton()
{
}

void C3DButton::Render()
{
    MarkDrawn();
    if (device) {
        D3DXCOLOR top = colors[0];
        D3DXCOLOR bottom = colors[1];
        if (highlight && !mouseOver) {
            top.r *= RESTING_BRIGHTNESS;
            top.g *= RESTING_BRIGHTNESS;
            top.b *= RESTING_BRIGHTNESS;
            bottom.r *= RESTING_BRIGHTNESS;
            bottom.g *= RESTING_BRIGHTNESS;
            bottom.b *= RESTING_BRIGHTNESS;
        }
        IDirect3DTexture8* texture = CResourceManager::GetTextures()->GetTexture(textureName);
        C2DDrawState state2D(device);
        // A tiny picture (a page arrow) grows about its centre to a size one can see.
        PixelRect r = GrowPixelRect(GetPixelRect(), MIN_PICTURE_PIXELS, MIN_PICTURE_PIXELS);
        DrawQuad(device, r, (DWORD)top, (DWORD)bottom, texture);
    }
    RenderChildren();
}
