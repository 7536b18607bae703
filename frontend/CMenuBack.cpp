#include "CMenuBack.h"

#include <cmath>
#include <cstdlib>

CMenuBack::CMenuBack(IDirect3DDevice8* device)
    : C3DIcon(device, CRECTVirtual(0.0f, 0.0f, 1.0f, 1.0f), ".//media//menu_back.jpg")
{
    // Random start and speeds, drawn in this order, so two layers drift apart.
    t = (float)rand() / 32767.0f * 10.0f;
    a = (float)rand() / 32767.0f + 1.0f;
    b = 2.0f * (float)rand() / 32767.0f + 1.0f;
}

CMenuBack::~CMenuBack()
{
}

void CMenuBack::ComputeFrame(float t, float a, float b, float uv[4][2], DWORD* color)
{
    float k = cosf(4.0f * t);
    float x = k * cosf(t) + 0.5f + 0.2f * cosf(a * t);
    float y = k * sinf(t) + 0.5f + 0.2f * sinf(a * t);
    float s = 0.1f * sinf(t) + 0.3f;
    float w = sinf(b * t);
    *color = (DWORD)D3DXCOLOR(0.3f + 0.7f * w, 0.3f + 0.7f * w, 0.5f, 0.5f);

    D3DXMATRIX turn, shift, m;
    D3DXMatrixRotationZ(&turn, (cosf(t) - 0.5f) * 10.0f);
    D3DXMatrixTranslation(&shift, x, y, 0.0f);
    D3DXMatrixMultiply(&m, &turn, &shift);
    const D3DXVECTOR3 corners[4] = { D3DXVECTOR3(0, s, 0), D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(s, s, 0),
                                     D3DXVECTOR3(s, 0, 0) };
    for (int i = 0; i < 4; i++) {
        D3DXVECTOR3 p;
        D3DXVec3TransformCoord(&p, &corners[i], &m);
        // The two coordinates are crossed: u from y, v from x.
        uv[i][0] = p.y;
        uv[i][1] = p.x;
    }
}

void CMenuBack::Move(float seconds)
{
    C3DIcon::Move(seconds);
    BYTE* data = nullptr;
    if (quad && SUCCEEDED(quad->Lock(0, 0, &data, 0))) {
        float uv[4][2];
        DWORD color = 0;
        ComputeFrame(t, a, b, uv, &color);
        WindowVertex* vertices = (WindowVertex*)data;
        for (int i = 0; i < 4; i++) {
            vertices[i].u = uv[i][0];
            vertices[i].v = uv[i][1];
            vertices[i].color = color;
        }
        quad->Unlock();
    }
    t += seconds * 0.01f;
}
