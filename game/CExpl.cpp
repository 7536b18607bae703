#include "CExpl.h"

CExpl::CExpl(IDirect3DDevice8* dev, float w, float h, D3DXVECTOR3 pos, int frames, int frameW, int frameH,
             int cols, int rowCount, int fps)
    : C3DBillboard(dev, w, h, pos, frames, frameW, frameH, cols, rowCount, fps)
{
    SetTexture(".//media//expla.bmp");
}

CExpl::~CExpl()
{
}

void CExpl::Render()
{
    if (!device)
        return;
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    C3DBillboard::Render();
    device->SetRenderState(D3DRS_LIGHTING, TRUE);
}
