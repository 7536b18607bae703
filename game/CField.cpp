#include "CField.h"

CField::CField(IDirect3DDevice8* device, D3DXVECTOR3 position, int value, float size)
    : C3DRenderObject(device, position, D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 0, 0)),
      vertexBuffer(0), value(value)
{
    (void)size;
}

CField::~CField()
{
    if (vertexBuffer)
        vertexBuffer->Release();
}

void CField::Render()
{
    C3DRenderObject::Render();
}
