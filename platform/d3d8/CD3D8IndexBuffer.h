// An index buffer of 16- or 32-bit indices, kept in memory.
#ifndef ZARUL_CD3D8INDEXBUFFER_H
#define ZARUL_CD3D8INDEXBUFFER_H

#include "CD3D8VertexBuffer.h"

#include <vector>

class CD3D8IndexBuffer : public IDirect3DIndexBuffer8 {
public:
    CD3D8IndexBuffer(IDirect3DDevice8* device, UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool);

    HRESULT QueryInterface(REFIID riid, void** object) override;
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT GetDevice(IDirect3DDevice8** device) override;
    DWORD SetPriority(DWORD priorityNew) override;
    DWORD GetPriority() override;
    void PreLoad() override;
    D3DRESOURCETYPE GetType() override;
    HRESULT Lock(UINT offsetToLock, UINT sizeToLock, BYTE** data, DWORD flags) override;
    HRESULT Unlock() override;
    HRESULT GetDesc(D3DINDEXBUFFER_DESC* desc) override;

    const BYTE* GetData() const { return bytes.data(); }
    UINT GetLength() const { return (UINT)bytes.size(); }
    D3DFORMAT GetFormat() const { return format; }

protected:
    ~CD3D8IndexBuffer() override {}

private:
    IDirect3DDevice8* device;
    ULONG refCount;
    std::vector<BYTE> bytes;
    DWORD usage;
    D3DFORMAT format;
    D3DPOOL pool;
    DWORD priority;
};

#endif
