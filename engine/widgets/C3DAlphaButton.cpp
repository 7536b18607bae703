#include "C3DAlphaButton.h"

C3DAlphaButton::C3DAlphaButton(IDirect3DDevice8* device_, CRECTVirtual rect_, const char* texture, int highlight_)
    : C3DButton(device_, rect_, texture)
{
    highlight = highlight_ ? 1 : 0;
}

C3DAlphaButton::~C3DAlphaButton()
{
}
