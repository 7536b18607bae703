#include "C3DFrame.h"

C3DFrame::C3DFrame(IDirect3DDevice8* device_, CRECTVirtual rect_, DWORD color)
    : C3DWindow(device_, rect_), frameColor(color)
{
    borderSize = 1;
}

C3DFrame::~C3DFrame()
{
}

void C3DFrame::Render()
{
    RenderBackground();
    OutlineRect(GetPixelRect(), borderSize, frameColor);
    RenderChildren();
}
