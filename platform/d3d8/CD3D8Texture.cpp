#include "CD3D8Texture.h"

#include "D3D8Helpers.h"

CD3D8Texture* CD3D8Texture::Create(IDirect3DDevice8* device, UINT width, UINT height, UINT levels, DWORD usage,
                                   D3DFORMAT format, D3DPOOL pool)
{
    CTextureStorage* storage = new CTextureStorage(1, width, height, levels, format);
    if (!storage->IsValid()) {
        delete storage;
        return NULL;
    }
    return new CD3D8Texture(device, storage, usage, pool);
}

CD3D8Texture::CD3D8Texture(IDirect3DDevice8* device_, CTextureStorage* storage_, DWORD usage_, D3DPOOL pool_)
    : device(device_), refCount(1), storage(storage_), usage(usage_), pool(pool_), priority(0), lod(0)
{
    for (UINT level = 0; level < storage->GetLevelCount(); level++)
        levels.push_back(new CD3D8Surface(device, this, storage, 0, level, usage, pool));
}

CD3D8Texture::~CD3D8Texture()
{
    for (CD3D8Surface* surface : levels)
        delete surface;
    delete storage;
}

HRESULT CD3D8Texture::QueryInterface(REFIID, void** object)
{
    return NoInterface(object);
}

ULONG CD3D8Texture::AddRef()
{
    return ++refCount;
}

ULONG CD3D8Texture::Release()
{
    ULONG count = --refCount;
    if (count == 0)
        delete this;
    return count;
}

HRESULT CD3D8Texture::GetDevice(IDirect3DDevice8** out)
{
    return HandOutDevice(device, out);
}

DWORD CD3D8Texture::SetPriority(DWORD priorityNew)
{
    return ExchangeValue(priority, priorityNew);
}

DWORD CD3D8Texture::GetPriority()
{
    return priority;
}

void CD3D8Texture::PreLoad()
{
}

D3DRESOURCETYPE CD3D8Texture::GetType()
{
    return D3DRTYPE_TEXTURE;
}

DWORD CD3D8Texture::SetLOD(DWORD lodNew)
{
    return ExchangeValue(lod, storage->SetMostDetailedLevel(lodNew));
}

DWORD CD3D8Texture::GetLOD()
{
    return lod;
}

DWORD CD3D8Texture::GetLevelCount()
{
    return storage->GetLevelCount();
}

HRESULT CD3D8Texture::GetLevelDesc(UINT level, D3DSURFACE_DESC* desc)
{
    return storage->GetLevelDesc(level, usage, pool, desc);
}

HRESULT CD3D8Texture::GetSurfaceLevel(UINT level, IDirect3DSurface8** surfaceLevel)
{
    if (!surfaceLevel || level >= levels.size())
        return D3DERR_INVALIDCALL;
    *surfaceLevel = levels[level];
    AddRef();
    return D3D_OK;
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
