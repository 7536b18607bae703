// An index buffer of 16- or 32-bit indices, kept in memory.
#ifndef ZARUL_CD3D8INDEXBUFFER_H
#define ZARUL_CD3D8INDEXBUFFER_H

#include "CD3D8Buffer.h"

class CD3D8IndexBuffer : public CD3D8Buffer<IDirect3DIndexBuffer8> {
public:
    CD3D8IndexBuffer(IDirect3DDevice8* device, UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool);

    D3DRESOURCETYPE GetType() override;
    HRESULT GetDesc(D3DINDEXBUFFER_DESC* desc) override;

    D3DFORMAT GetFormat() const { return format; }

private:
    D3DFORMAT format;
};

#endif
