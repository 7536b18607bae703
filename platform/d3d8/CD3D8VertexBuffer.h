// A vertex buffer. Its bytes live in memory; draws read them from there.
#ifndef ZARUL_CD3D8VERTEXBUFFER_H
#define ZARUL_CD3D8VERTEXBUFFER_H

#include "CD3D8Buffer.h"

class CD3D8VertexBuffer : public CD3D8Buffer<IDirect3DVertexBuffer8> {
public:
    CD3D8VertexBuffer(IDirect3DDevice8* device, UINT length, DWORD usage, DWORD fvf, D3DPOOL pool);

    D3DRESOURCETYPE GetType() override;
    HRESULT GetDesc(D3DVERTEXBUFFER_DESC* desc) override;

private:
    DWORD fvf;
};

#endif
