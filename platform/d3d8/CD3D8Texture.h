// A 2D texture with its mip levels.
#ifndef ZARUL_CD3D8TEXTURE_H
#define ZARUL_CD3D8TEXTURE_H

#include "CD3D8BaseTexture.h"

class CD3D8Texture : public CD3D8BaseTexture<IDirect3DTexture8> {
public:
    // Null when the size or format cannot be made.
    static CD3D8Texture* Create(IDirect3DDevice8* device, UINT width, UINT height, UINT levels, DWORD usage,
                                D3DFORMAT format, D3DPOOL pool);

    D3DRESOURCETYPE GetType() override;
    HRESULT GetSurfaceLevel(UINT level, IDirect3DSurface8** surfaceLevel) override;
    HRESULT LockRect(UINT level, D3DLOCKED_RECT* lockedRect, const RECT* rect, DWORD flags) override;
    HRESULT UnlockRect(UINT level) override;
    HRESULT AddDirtyRect(const RECT* dirtyRect) override;

private:
    CD3D8Texture(IDirect3DDevice8* device, CTextureStorage* storage, DWORD usage, D3DPOOL pool);
};

#endif
