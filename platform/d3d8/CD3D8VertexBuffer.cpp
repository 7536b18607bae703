#include "CD3D8VertexBuffer.h"

CD3D8VertexBuffer::CD3D8VertexBuffer(IDirect3DDevice8* device, UINT length, DWORD usage, DWORD fvf_, D3DPOOL pool)
    : CD3D8Buffer<IDirect3DVertexBuffer8>(device, length, usage, pool), fvf(fvf_)
{
}

D3DRESOURCETYPE CD3D8VertexBuffer::GetType()
{
    return D3DRTYPE_VERTEXBUFFER;
}

HRESULT CD3D8VertexBuffer::GetDesc(D3DVERTEXBUFFER_DESC* desc)
{
    if (!desc)
        return D3DERR_INVALIDCALL;
    desc->Format = D3DFMT_VERTEXDATA;
    desc->Type = D3DRTYPE_VERTEXBUFFER;
    desc->Usage = usage;
    desc->Pool = pool;
    desc->Size = (UINT)bytes.size();
    desc->FVF = fvf;
    return D3D_OK;
}
