#include "CD3D8IndexBuffer.h"

CD3D8IndexBuffer::CD3D8IndexBuffer(IDirect3DDevice8* device, UINT length, DWORD usage, D3DFORMAT format_,
                                   D3DPOOL pool)
    : CD3D8Buffer<IDirect3DIndexBuffer8>(device, length, usage, pool), format(format_)
{
}

D3DRESOURCETYPE CD3D8IndexBuffer::GetType()
{
    return D3DRTYPE_INDEXBUFFER;
}

HRESULT CD3D8IndexBuffer::GetDesc(D3DINDEXBUFFER_DESC* desc)
{
    if (!desc)
        return D3DERR_INVALIDCALL;
    desc->Format = format;
    desc->Type = D3DRTYPE_INDEXBUFFER;
    desc->Usage = usage;
    desc->Pool = pool;
    desc->Size = (UINT)bytes.size();
    return D3D_OK;
}
