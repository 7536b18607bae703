#include "CVolumeLightEffect.h"

#include <cstdlib>

#include "CResourceManager.h"
#include "CStone.h"
#include "CTexMgr.h"
#include "TextureStages.h"

namespace {

struct RayVertex
{
    float x, y, z;
    DWORD color;
    float u, v;
};

const DWORD RAY_FVF = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1;

// Uniform in [-half, half].
float RandomSpan(float half)
{
    return (float)(-half + 2.0 * half * rand() / 32767.0);
}

// A point of the 10 x 10 area at the top of the rays.
float RandomTop()
{
    return (float)(rand() / 32767.0 * 10.0 - 5.0);
}

}

CVolumeLightEffect::CVolumeLightEffect(IDirect3DDevice8* dev, D3DXVECTOR3 pos, float size)
    : C3DRenderObject(dev, pos, D3DXVECTOR3(0.0f, 0.0f, 0.0f), D3DXVECTOR3(0.0f, 0.0f, 0.0f)),
      vertexBuffer(nullptr), time(0.0f), stateBlock(0)
{
    if (device)
        device->CreateStateBlock(D3DSBT_ALL, &stateBlock);

    vertexBuffer = CStone::CreateVertexBuffer(device, VERTEX_COUNT * sizeof(RayVertex), RAY_FVF, "CVolumeLightEffect");

    BYTE* data = nullptr;
    if (SUCCEEDED(vertexBuffer->Lock(0, 0, &data, 0)) && data) {
        RayVertex* v = (RayVertex*)data;
        float h = size / 2.0f;
        for (int k = 0; k < RAY_COUNT; k++) {
            float f = (float)(rand() / 32767.0);
            // Foot: a random point of the stone's footprint, half-opaque white.
            RayVertex& foot = v[3 * k];
            foot.z = RandomSpan(h);
            foot.x = RandomSpan(h);
            foot.y = -2.0f;
            foot.color = 0x80FFFFFF;
            foot.u = 0.5f;
            foot.v = f;
            // Two top corners, fully transparent.
            for (int c = 1; c <= 2; c++) {
                RayVertex& top = v[3 * k + c];
                top.z = RandomTop();
                top.x = RandomTop();
                top.y = 25.0f;
                top.color = 0x00FFFFFF;
                top.u = c == 1 ? 0.0f : 1.0f;
                top.v = f - 1.0f;
            }
        }
        vertexBuffer->Unlock();
    }
    textureName = ".//media//tex004.dds";
}

CVolumeLightEffect::~CVolumeLightEffect()
{
    if (vertexBuffer)
        vertexBuffer->Release();
    if (device && stateBlock)
        device->DeleteStateBlock(stateBlock);
}

void CVolumeLightEffect::Move(float seconds)
{
    time += seconds;
    C3DRenderObject::Move(seconds);
    if (!(seconds > 0.0f))
        return;
    BYTE* data = nullptr;
    if (SUCCEEDED(vertexBuffer->Lock(0, 0, &data, 0)) && data) {
        RayVertex* v = (RayVertex*)data;
        for (int i = 0; i < VERTEX_COUNT; i++)
            v[i].v += seconds * 0.25f;
        vertexBuffer->Unlock();
    }
}

void CVolumeLightEffect::Render()
{
    if (!device)
        return;
    device->CaptureStateBlock(stateBlock);

    C3DRenderObject::Render();
    device->SetStreamSource(0, vertexBuffer, sizeof(RayVertex));
    device->SetVertexShader(RAY_FVF);

    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    SetModulateAlphaStage(device, 0);
    // Additive: the rays brighten what lies behind them.
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);

    device->SetTexture(0, CResourceManager::GetTextures()->GetTexture(textureName));
    device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, RAY_COUNT);

    device->ApplyStateBlock(stateBlock);
}
