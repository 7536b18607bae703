#include "CD3D8Texture.h"

CD3D8Texture* CD3D8Texture::Create(IDirect3DDevice8* device, UINT width, UINT height, UINT levels, DWORD usage,
                                   D3DFORMAT format, D3DPOOL pool)
{
    CTextureStorage* storage = CTextureStorage::Create(1, width, height, levels, format);
    if (!storage)
        return nullptr;
    return new CD3D8Texture(device, storage, usage, pool);
}

CD3D8Texture::CD3D8Texture(IDirect3DDevice8* device, CTextureStorage* storage, DWORD usage, D3DPOOL pool)
    : CD3D8BaseTexture<IDirect3DTexture8>(device, storage, usage, pool)
{
}

D3DRESOURCETYPE CD3D8Texture::GetType()
{
    return D3DRTYPE_TEXTURE;
}

HRESULT CD3D8Texture::GetSurfaceLevel(UINT level, IDirect3DSurface8** surfaceLevel)
{
    return HandOutSurface(0, level, surfaceLevel);
}

HRESULT CD3D8Texture::LockRect(UINT level, D3DLOCKED_RECT* lockedRect, const RECT* rect, DWORD flags)
{
    return storage->Lock(0, level, lockedRect, rect, flags);
}

HRESULT CD3D8Texture::UnlockRect(UINT level)
{
    return storage->Unlock(0, level);
}

HRESULT CD3D8Texture::AddDirtyRect(const RECT*)
{
    return D3D_OK;
}
