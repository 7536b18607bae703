// What vertex and index buffers share: their bytes live in memory, a lock
// hands out a pointer into them, and draws read them from there.
#ifndef ZARUL_CD3D8BUFFER_H
#define ZARUL_CD3D8BUFFER_H

#include "CD3D8Resource.h"

#include <vector>

template <class Interface>
class CD3D8Buffer : public CD3D8Resource<Interface> {
public:
    // size 0 means "to the end"; a range that does not lie inside the buffer fails.
    HRESULT Lock(UINT offsetToLock, UINT sizeToLock, BYTE** data, DWORD) override
    {
        if (!data)
            return D3DERR_INVALIDCALL;
        *data = nullptr;
        UINT length = (UINT)bytes.size();
        if (offsetToLock > length || (sizeToLock > 0 && sizeToLock > length - offsetToLock) || length == 0)
            return D3DERR_INVALIDCALL;
        *data = bytes.data() + offsetToLock;
        return D3D_OK;
    }

    HRESULT Unlock() override { return D3D_OK; }

    const BYTE* GetData() const { return bytes.data(); }
    UINT GetLength() const { return (UINT)bytes.size(); }

protected:
    CD3D8Buffer(IDirect3DDevice8* device, UINT length, DWORD usage_, D3DPOOL pool_)
        : CD3D8Resource<Interface>(device), bytes(length, 0), usage(usage_), pool(pool_)
    {
    }

    std::vector<BYTE> bytes;
    DWORD usage;
    D3DPOOL pool;
};

#endif
