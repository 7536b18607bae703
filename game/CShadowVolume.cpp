#include "CShadowVolume.h"

CShadowVolume::CShadowVolume()
    : count(0)
{
}

void CShadowVolume::AddEdge(WORD* edges, DWORD* count, WORD a, WORD b)
{
    (void)edges; (void)count; (void)a; (void)b;
}

void CShadowVolume::BuildFromCube(IDirect3DVertexBuffer8* buffer, D3DXVECTOR3 light)
{
    (void)buffer; (void)light;
}

void CShadowVolume::Render(IDirect3DDevice8* device)
{
    (void)device;
}
