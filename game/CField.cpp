#include "CField.h"

#include "CStone.h"
#include "CStoneTypes.h"

namespace {

const int TILE_VERTICES = 6;

}

CField::CField(IDirect3DDevice8* device, D3DXVECTOR3 position, int value, float size)
    : C3DRenderObject(device, position, D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 0, 0)),
      vertexBuffer(nullptr), value(value)
{
    vertexBuffer = CStone::CreateVertexBuffer(device, TILE_VERTICES * sizeof(CStone::Vertex), CStone::FVF, "CField");

    float h = size / 2.0f;
    DWORD color = (DWORD)D3DXCOLOR(CStoneTypes::GetMaterial(value).Diffuse);
    static const float corners[TILE_VERTICES][4] = {
        { -1, -1, 0, 1 }, { -1, 1, 0, 0 }, { 1, 1, 1, 0 }, { 1, 1, 1, 0 }, { 1, -1, 1, 1 }, { -1, -1, 0, 1 }
    };

    BYTE* data = nullptr;
    if (SUCCEEDED(vertexBuffer->Lock(0, 0, &data, 0)) && data) {
        CStone::Vertex* v = (CStone::Vertex*)data;
        for (int i = 0; i < TILE_VERTICES; i++) {
            v[i].position = D3DXVECTOR3(corners[i][0] * h, 0.0f, corners[i][1] * h);
            v[i].normal = D3DXVECTOR3(0.0f, 1.0f, 0.0f);
            v[i].diffuse = color;
            v[i].u = corners[i][2];
            v[i].v = corners[i][3];
        }
        vertexBuffer->Unlock();
    }
}

CField::~CField()
{
    if (vertexBuffer)
        vertexBuffer->Release();
}

void CField::Render()
{
    C3DRenderObject::Render();
    device->SetStreamSource(0, vertexBuffer, sizeof(CStone::Vertex));
    device->SetVertexShader(CStone::FVF);
    device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2);
}
