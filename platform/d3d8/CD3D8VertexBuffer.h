// A vertex buffer. Its bytes live in memory; draws read them from there.
#ifndef ZARUL_CD3D8VERTEXBUFFER_H
#define ZARUL_CD3D8VERTEXBUFFER_H

#include <d3d8.h>

#include <vector>

class CD3D8VertexBuffer : public IDirect3DVertexBuffer8 {
public:
    CD3D8VertexBuffer(IDirect3DDevice8* device, UINT length, DWORD usage, DWORD fvf, D3DPOOL pool);

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
    HRESULT GetDesc(D3DVERTEXBUFFER_DESC* desc) override;

    const BYTE* GetData() const { return bytes.data(); }
    UINT GetLength() const { return (UINT)bytes.size(); }

protected:
    ~CD3D8VertexBuffer() override {}

private:
    IDirect3DDevice8* device;
    ULONG refCount;
    std::vector<BYTE> bytes;
    DWORD usage;
    DWORD fvf;
    D3DPOOL pool;
    DWORD priority;
};

// Locks a byte range of a buffer: size 0 means "to the end". Fails for a
// range that does not lie inside the buffer.
HRESULT LockBufferRange(std::vector<BYTE>& bytes, UINT offset, UINT size, BYTE** data);

#endif
