#include "CD3D8CubeTexture.h"

CD3D8CubeTexture* CD3D8CubeTexture::Create(IDirect3DDevice8* device, UINT edgeLength, UINT levels, DWORD usage,
                                           D3DFORMAT format, D3DPOOL pool)
{
    CTextureStorage* storage = CTextureStorage::Create(6, edgeLength, edgeLength, levels, format);
    if (!storage)
        return nullptr;
    return new CD3D8CubeTexture(device, storage, usage, pool);
}

CD3D8CubeTexture::CD3D8CubeTexture(IDirect3DDevice8* device, CTextureStorage* storage, DWORD usage, D3DPOOL pool)
    : CD3D8BaseTexture<IDirect3DCubeTexture8>(device, storage, usage, pool)
{
}

D3DRESOURCETYPE CD3D8CubeTexture::GetType()
{
    return D3DRTYPE_CUBETEXTURE;
}

HRESULT CD3D8CubeTexture::GetCubeMapSurface(D3DCUBEMAP_FACES faceType, UINT level, IDirect3DSurface8** cubeMapSurface)
{
    return HandOutSurface((UINT)faceType, level, cubeMapSurface);
}

HRESULT CD3D8CubeTexture::LockRect(D3DCUBEMAP_FACES faceType, UINT level, D3DLOCKED_RECT* lockedRect,
                                   const RECT* rect, DWORD flags)
{
    return storage->Lock((UINT)faceType, level, lockedRect, rect, flags);
}

HRESULT CD3D8CubeTexture::UnlockRect(D3DCUBEMAP_FACES faceType, UINT level)
{
    return storage->Unlock((UINT)faceType, level);
}

HRESULT CD3D8CubeTexture::AddDirtyRect(D3DCUBEMAP_FACES, const RECT*)
{
    return D3D_OK;
}
