#include "CD3D8IndexBuffer.h"

#include "D3D8Helpers.h"

CD3D8IndexBuffer::CD3D8IndexBuffer(IDirect3DDevice8* device_, UINT length, DWORD usage_, D3DFORMAT format_,
                                   D3DPOOL pool_)
    : device(device_), refCount(1), bytes(length, 0), usage(usage_), format(format_), pool(pool_), priority(0)
{
}

HRESULT CD3D8IndexBuffer::QueryInterface(REFIID, void** object)
{
    return NoInterface(object);
}

ULONG CD3D8IndexBuffer::AddRef()
{
    return ++refCount;
}

ULONG CD3D8IndexBuffer::Release()
{
    ULONG count = --refCount;
    if (count == 0)
        delete this;
    return count;
}

HRESULT CD3D8IndexBuffer::GetDevice(IDirect3DDevice8** out)
{
    return HandOutDevice(device, out);
}

DWORD CD3D8IndexBuffer::SetPriority(DWORD priorityNew)
{
    return ExchangeValue(priority, priorityNew);
}

DWORD CD3D8IndexBuffer::GetPriority()
{
    return priority;
}

void CD3D8IndexBuffer::PreLoad()
{
}

D3DRESOURCETYPE CD3D8IndexBuffer::GetType()
{
    return D3DRTYPE_INDEXBUFFER;
}

HRESULT CD3D8IndexBuffer::Lock(UINT offsetToLock, UINT sizeToLock, BYTE** data, DWORD)
{
    return LockBufferRange(bytes, offsetToLock, sizeToLock, data);
}

HRESULT CD3D8IndexBuffer::Unlock()
{
    return D3D_OK;
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
