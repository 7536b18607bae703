// The texture-stage set-up that nearly every scene object draws with: a stage
// that multiplies its texture by the vertex (diffuse) colour.
#ifndef TEXTURESTAGES_H
#define TEXTURESTAGES_H

#include <d3d8.h>

// Colour of the stage = texture colour x diffuse colour.
inline void SetModulateColorStage(IDirect3DDevice8* device, DWORD stage)
{
    device->SetTextureStageState(stage, D3DTSS_COLOROP, D3DTOP_MODULATE);
    device->SetTextureStageState(stage, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(stage, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
}

// Alpha of the stage = texture alpha x diffuse alpha.
inline void SetModulateAlphaStage(IDirect3DDevice8* device, DWORD stage)
{
    device->SetTextureStageState(stage, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    device->SetTextureStageState(stage, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(stage, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
}

#endif
