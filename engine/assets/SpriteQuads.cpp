// Camera-facing quads.

#include "SpriteQuads.h"

#include "CDeviceStates.h"

void GetViewAxes(IDirect3DDevice8* device, D3DXVECTOR3& right, D3DXVECTOR3& up)
{
    // The view matrix's columns hold the camera axes in world space.
    D3DXMATRIX view;
    device->GetTransform(D3DTS_VIEW, &view);
    right = D3DXVECTOR3(view._11, view._21, view._31);
    up = D3DXVECTOR3(view._12, view._22, view._32);
}

void AppendSpriteQuad(std::vector<SpriteVertex>& vertices, const D3DXVECTOR3& center, const D3DXVECTOR3& right,
                      const D3DXVECTOR3& up, float width, float height, DWORD color, float u0, float v0, float u1,
                      float v1)
{
    D3DXVECTOR3 r = right * (width * 0.5f);
    D3DXVECTOR3 u = up * (height * 0.5f);
    D3DXVECTOR3 topLeft = center - r + u, topRight = center + r + u;
    D3DXVECTOR3 bottomLeft = center - r - u, bottomRight = center + r - u;

    SpriteVertex corners[4] = {
        { topLeft.x, topLeft.y, topLeft.z, color, u0, v0 },
        { topRight.x, topRight.y, topRight.z, color, u1, v0 },
        { bottomRight.x, bottomRight.y, bottomRight.z, color, u1, v1 },
        { bottomLeft.x, bottomLeft.y, bottomLeft.z, color, u0, v1 },
    };
    // Clockwise on screen, the front-face winding.
    const int order[6] = { 0, 1, 2, 0, 2, 3 };
    for (int i = 0; i < 6; i++)
        vertices.push_back(corners[order[i]]);
}

void SetSpriteStates(CDeviceStates& states, DWORD sourceBlend, DWORD destinationBlend)
{
    states.SetRenderState(D3DRS_LIGHTING, FALSE);
    states.SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    states.SetRenderState(D3DRS_SRCBLEND, sourceBlend);
    states.SetRenderState(D3DRS_DESTBLEND, destinationBlend);
    states.SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
    states.SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    states.SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    states.SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    states.SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    states.SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    states.SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    states.SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
}

void DrawSpriteQuads(IDirect3DDevice8* device, const std::vector<SpriteVertex>& vertices)
{
    if (vertices.empty())
        return;
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    device->SetTransform(D3DTS_WORLD, &identity);
    device->SetVertexShader(SPRITE_FVF);
    device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, (UINT)(vertices.size() / 3), vertices.data(), sizeof(SpriteVertex));
}
