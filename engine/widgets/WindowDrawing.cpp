#include "WindowDrawing.h"

static const D3DRENDERSTATETYPE SAVED_RENDER_STATES[] = {
    D3DRS_ZENABLE, D3DRS_ZWRITEENABLE, D3DRS_CULLMODE, D3DRS_STENCILENABLE, D3DRS_FOGENABLE,
    D3DRS_LIGHTING, D3DRS_ALPHATESTENABLE, D3DRS_ALPHABLENDENABLE, D3DRS_SRCBLEND, D3DRS_DESTBLEND
};

static const DWORD RENDER_VALUES_2D[] = {
    FALSE, FALSE, D3DCULL_NONE, FALSE, FALSE,
    FALSE, FALSE, TRUE, D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA
};

struct StageState
{
    DWORD stage;
    D3DTEXTURESTAGESTATETYPE type;
    DWORD value2D;
};

static const StageState SAVED_STAGE_STATES[] = {
    { 0, D3DTSS_COLOROP, D3DTOP_MODULATE }, { 0, D3DTSS_COLORARG1, D3DTA_TEXTURE },
    { 0, D3DTSS_COLORARG2, D3DTA_DIFFUSE }, { 0, D3DTSS_ALPHAOP, D3DTOP_MODULATE },
    { 0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE }, { 0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE },
    { 1, D3DTSS_COLOROP, D3DTOP_DISABLE }
};

C2DDrawState::C2DDrawState(IDirect3DDevice8* device_) : device(device_), shader(0)
{
    for (int i = 0; i < RENDER_STATES; i++) {
        renderValues[i] = 0;
        device->GetRenderState(SAVED_RENDER_STATES[i], &renderValues[i]);
        device->SetRenderState(SAVED_RENDER_STATES[i], RENDER_VALUES_2D[i]);
    }
    for (int i = 0; i < STAGE_STATES; i++) {
        const StageState& s = SAVED_STAGE_STATES[i];
        stageValues[i] = 0;
        device->GetTextureStageState(s.stage, s.type, &stageValues[i]);
        device->SetTextureStageState(s.stage, s.type, s.value2D);
    }
    device->GetVertexShader(&shader);
    device->SetVertexShader(WINDOW_VERTEX_FVF);
}

C2DDrawState::~C2DDrawState()
{
    device->SetTexture(0, nullptr);
    device->SetVertexShader(shader);
    for (int i = STAGE_STATES - 1; i >= 0; i--)
        device->SetTextureStageState(SAVED_STAGE_STATES[i].stage, SAVED_STAGE_STATES[i].type, stageValues[i]);
    for (int i = RENDER_STATES - 1; i >= 0; i--)
        device->SetRenderState(SAVED_RENDER_STATES[i], renderValues[i]);
}

DWORD ScaleAlpha(DWORD color, float factor)
{
    if (factor < 0.0f)
        factor = 0.0f;
    if (factor > 1.0f)
        factor = 1.0f;
    DWORD alpha = (DWORD)((float)(color >> 24) * factor + 0.5f);
    return (alpha << 24) | (color & 0x00FFFFFF);
}

void MakeQuad(WindowVertex quad[4], const PixelRect& r, DWORD top, DWORD bottom,
              float u0, float v0, float u1, float v1)
{
    const float left = r.x, right = r.x + r.width;
    const float upper = r.y, lower = r.y + r.height;
    const WindowVertex corners[4] = {
        { left, lower, 0.0f, 1.0f, bottom, u0, v1 },
        { left, upper, 0.0f, 1.0f, top, u0, v0 },
        { right, lower, 0.0f, 1.0f, bottom, u1, v1 },
        { right, upper, 0.0f, 1.0f, top, u1, v0 }
    };
    for (int i = 0; i < 4; i++)
        quad[i] = corners[i];
}

void DrawQuad(IDirect3DDevice8* device, const PixelRect& r, DWORD top, DWORD bottom,
              IDirect3DTexture8* texture)
{
    WindowVertex quad[4];
    MakeQuad(quad, r, top, bottom, 0.0f, 0.0f, 1.0f, 1.0f);
    device->SetTexture(0, texture);
    device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(WindowVertex));
}
