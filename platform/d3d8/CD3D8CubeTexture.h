// A cube texture: six square faces, each with its mip levels.
#ifndef ZARUL_CD3D8CUBETEXTURE_H
#define ZARUL_CD3D8CUBETEXTURE_H

#include "CD3D8BaseTexture.h"

class CD3D8CubeTexture : public CD3D8BaseTexture<IDirect3DCubeTexture8> {
public:
    // Null when the size or format cannot be made.
    static CD3D8CubeTexture* Create(IDirect3DDevice8* device, UINT edgeLength, UINT levels, DWORD usage,
                                    D3DFORMAT format, D3DPOOL pool);

    D3DRESOURCETYPE GetType() override;
    HRESULT GetCubeMapSurface(D3DCUBEMAP_FACES faceType, UINT level, IDirect3DSurface8** cubeMapSurface) override;
    HRESULT LockRect(D3DCUBEMAP_FACES faceType, UINT level, D3DLOCKED_RECT* lockedRect, const RECT* rect,
                     DWORD flags) override;
    HRESULT UnlockRect(D3DCUBEMAP_FACES faceType, UINT level) override;
    HRESULT AddDirtyRect(D3DCUBEMAP_FACES faceType, const RECT* dirtyRect) override;

private:
    CD3D8CubeTexture(IDirect3DDevice8* device, CTextureStorage* storage, DWORD usage, D3DPOOL pool);
};

#endif
