#include "CD3D8Surface.h"

#include "D3D8Helpers.h"

CD3D8Surface::CD3D8Surface(IDirect3DDevice8* device_, IUnknown* container_, CTextureStorage* storage_, UINT face_,
                           UINT level_, DWORD usage_, D3DPOOL pool_)
    : device(device_), container(container_), storage(storage_), ownsStorage(false), renderbuffer(0),
      face(face_), level(level_), width(storage_->GetLevelWidth(level_)), height(storage_->GetLevelHeight(level_)),
      format(storage_->GetFormat()), usage(usage_), pool(pool_)
{
}

CD3D8Surface::CD3D8Surface(IDirect3DDevice8* device_, UINT width_, UINT height_, D3DFORMAT format_, DWORD usage_,
                           D3DPOOL pool_)
    : device(device_), container(nullptr), storage(nullptr), ownsStorage(false), renderbuffer(0), face(0),
      level(0), width(width_), height(height_), format(format_), usage(usage_), pool(pool_)
{
}

CD3D8Surface* CD3D8Surface::CreateColor(IDirect3DDevice8* device, UINT width, UINT height, D3DFORMAT format,
                                        DWORD usage, D3DPOOL pool)
{
    CTextureStorage* storage = CTextureStorage::Create(1, width, height, 1, format);
    if (!storage)
        return nullptr;
    CD3D8Surface* surface = new CD3D8Surface(device, width, height, format, usage, pool);
    surface->storage = storage;
    surface->ownsStorage = true;
    return surface;
}

CD3D8Surface* CD3D8Surface::CreateDepthStencil(IDirect3DDevice8* device, UINT width, UINT height, D3DFORMAT format)
{
    if (width == 0 || height == 0)
        return nullptr;
    GLuint buffer = 0;
    glCreateRenderbuffers(1, &buffer);
    if (buffer == 0)
        return nullptr;
    glNamedRenderbufferStorage(buffer, GL_DEPTH24_STENCIL8, (GLsizei)width, (GLsizei)height);
    CD3D8Surface* surface = new CD3D8Surface(device, width, height, format, D3DUSAGE_DEPTHSTENCIL, D3DPOOL_DEFAULT);
    surface->renderbuffer = buffer;
    return surface;
}

CD3D8Surface::~CD3D8Surface()
{
    if (ownsStorage)
        delete storage;
    if (renderbuffer)
        glDeleteRenderbuffers(1, &renderbuffer);
}

ULONG CD3D8Surface::AddRef()
{
    if (container)
        return container->AddRef();
    return CD3D8Object<IDirect3DSurface8>::AddRef();
}

ULONG CD3D8Surface::Release()
{
    if (container)
        return container->Release();
    return CD3D8Object<IDirect3DSurface8>::Release();
}

HRESULT CD3D8Surface::GetDevice(IDirect3DDevice8** out)
{
    return HandOutDevice(device, out);
}

HRESULT CD3D8Surface::GetContainer(REFIID, void** out)
{
    if (!out)
        return D3DERR_INVALIDCALL;
    IUnknown* owner = container ? container : device;
    owner->AddRef();
    *out = owner;
    return D3D_OK;
}

HRESULT CD3D8Surface::GetDesc(D3DSURFACE_DESC* desc)
{
    if (storage)
        return storage->GetLevelDesc(level, usage, pool, desc);
    // A depth-stencil buffer: 32 bits a pixel underneath.
    return DescribeSurface(format, usage, pool, width, height, 4, desc);
}

HRESULT CD3D8Surface::LockRect(D3DLOCKED_RECT* lockedRect, const RECT* rect, DWORD flags)
{
    if (!storage)
        return D3DERR_INVALIDCALL;
    return storage->Lock(face, level, lockedRect, rect, flags);
}

HRESULT CD3D8Surface::UnlockRect()
{
    if (!storage)
        return D3DERR_INVALIDCALL;
    return storage->Unlock(face, level);
}

void CD3D8Surface::MarkDrawn()
{
    if (storage)
        storage->MarkDrawn(face, level);
}
