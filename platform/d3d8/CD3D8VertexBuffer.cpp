#include "CD3D8VertexBuffer.h"

#include "D3D8Helpers.h"

HRESULT LockBufferRange(std::vector<BYTE>& bytes, UINT offset, UINT size, BYTE** data)
{
    if (!data)
        return D3DERR_INVALIDCALL;
    *data = NULL;
    UINT length = (UINT)bytes.size();
    if (offset > length || (size > 0 && size > length - offset) || length == 0)
        return D3DERR_INVALIDCALL;
    *data = bytes.data() + offset;
    return D3D_OK;
}

CD3D8VertexBuffer::CD3D8VertexBuffer(IDirect3DDevice8* device_, UINT length, DWORD usage_, DWORD fvf_,
                                     D3DPOOL pool_)
    : device(device_), refCount(1), bytes(length, 0), usage(usage_), fvf(fvf_), pool(pool_), priority(0)
{
}

HRESULT CD3D8VertexBuffer::QueryInterface(REFIID, void** object)
{
    return NoInterface(object);
}

ULONG CD3D8VertexBuffer::AddRef()
{
    return ++refCount;
}

ULONG CD3D8VertexBuffer::Release()
{
    ULONG count = --refCount;
    if (count == 0)
        delete this;
    return count;
}

HRESULT CD3D8VertexBuffer::GetDevice(IDirect3DDevice8** out)
{
    return HandOutDevice(device, out);
}

DWORD CD3D8VertexBuffer::SetPriority(DWORD priorityNew)
{
    return ExchangeValue(priority, priorityNew);
}

DWORD CD3D8VertexBuffer::GetPriority()
{
    return priority;
}

void CD3D8VertexBuffer::PreLoad()
{
}

D3DRESOURCETYPE CD3D8VertexBuffer::GetType()
{
    return D3DRTYPE_VERTEXBUFFER;
}

HRESULT CD3D8VertexBuffer::Lock(UINT offsetToLock, UINT sizeToLock, BYTE** data, DWORD)
{
    return LockBufferRange(bytes, offsetToLock, sizeToLock, data);
}

HRESULT CD3D8VertexBuffer::Unlock()
{
    return D3D_OK;
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
