#include "CD3D8CubeTexture.h"

#include "D3D8Helpers.h"

CD3D8CubeTexture* CD3D8CubeTexture::Create(IDirect3DDevice8* device, UINT edgeLength, UINT levels, DWORD usage,
                                           D3DFORMAT format, D3DPOOL pool)
{
    CTextureStorage* storage = new CTextureStorage(6, edgeLength, edgeLength, levels, format);
    if (!storage->IsValid()) {
        delete storage;
        return NULL;
    }
    return new CD3D8CubeTexture(device, storage, usage, pool);
}

CD3D8CubeTexture::CD3D8CubeTexture(IDirect3DDevice8* device_, CTextureStorage* storage_, DWORD usage_,
                                   D3DPOOL pool_)
    : device(device_), refCount(1), storage(storage_), usage(usage_), pool(pool_), priority(0), lod(0)
{
    for (UINT face = 0; face < 6; face++) {
        for (UINT level = 0; level < storage->GetLevelCount(); level++)
            surfaces.push_back(new CD3D8Surface(device, this, storage, face, level, usage, pool));
    }
}

CD3D8CubeTexture::~CD3D8CubeTexture()
{
    for (CD3D8Surface* surface : surfaces)
        delete surface;
    delete storage;
}

HRESULT CD3D8CubeTexture::QueryInterface(REFIID, void** object)
{
    return NoInterface(object);
}

ULONG CD3D8CubeTexture::AddRef()
{
    return ++refCount;
}

ULONG CD3D8CubeTexture::Release()
{
    ULONG count = --refCount;
    if (count == 0)
        delete this;
    return count;
}

HRESULT CD3D8CubeTexture::GetDevice(IDirect3DDevice8** out)
{
    return HandOutDevice(device, out);
}

DWORD CD3D8CubeTexture::SetPriority(DWORD priorityNew)
{
    return ExchangeValue(priority, priorityNew);
}

DWORD CD3D8CubeTexture::GetPriority()
{
    return priority;
}

void CD3D8CubeTexture::PreLoad()
{
}

D3DRESOURCETYPE CD3D8CubeTexture::GetType()
{
    return D3DRTYPE_CUBETEXTURE;
}

DWORD CD3D8CubeTexture::SetLOD(DWORD lodNew)
{
    return ExchangeValue(lod, storage->SetMostDetailedLevel(lodNew));
}

DWORD CD3D8CubeTexture::GetLOD()
{
    return lod;
}

DWORD CD3D8CubeTexture::GetLevelCount()
{
    return storage->GetLevelCount();
}

HRESULT CD3D8CubeTexture::GetLevelDesc(UINT level, D3DSURFACE_DESC* desc)
{
    return storage->GetLevelDesc(level, usage, pool, desc);
}

HRESULT CD3D8CubeTexture::GetCubeMapSurface(D3DCUBEMAP_FACES faceType, UINT level, IDirect3DSurface8** cubeMapSurface)
{
    if (!cubeMapSurface || (UINT)faceType >= 6 || level >= storage->GetLevelCount())
        return D3DERR_INVALIDCALL;
    *cubeMapSurface = surfaces[(UINT)faceType * storage->GetLevelCount() + level];
    AddRef();
    return D3D_OK;
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
