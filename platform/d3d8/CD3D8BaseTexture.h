// What 2D and cube textures share: the storage that holds their pixels, a
// surface for every face and level (handed out with the texture's own
// reference count), and the level-of-detail calls.
#ifndef ZARUL_CD3D8BASETEXTURE_H
#define ZARUL_CD3D8BASETEXTURE_H

#include "CD3D8Resource.h"
#include "CD3D8Surface.h"

#include <vector>

template <class Interface>
class CD3D8BaseTexture : public CD3D8Resource<Interface> {
public:
    DWORD SetLOD(DWORD lodNew) override { return ExchangeValue(lod, storage->SetMostDetailedLevel(lodNew)); }
    DWORD GetLOD() override { return lod; }
    DWORD GetLevelCount() override { return storage->GetLevelCount(); }

    HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) override
    {
        return storage->GetLevelDesc(level, usage, pool, desc);
    }

    CTextureStorage* GetStorage() { return storage; }

protected:
    // Takes storage over; it is deleted with the texture.
    CD3D8BaseTexture(IDirect3DDevice8* device, CTextureStorage* storage_, DWORD usage_, D3DPOOL pool_)
        : CD3D8Resource<Interface>(device), storage(storage_), usage(usage_), pool(pool_), lod(0)
    {
        for (UINT face = 0; face < storage->GetFaceCount(); face++) {
            for (UINT level = 0; level < storage->GetLevelCount(); level++)
                surfaces.push_back(new CD3D8Surface(device, this, storage, face, level, usage, pool));
        }
    }

    ~CD3D8BaseTexture() override
    {
        for (CD3D8Surface* surface : surfaces)
            delete surface;
        delete storage;
    }

    // Hands out the surface of a face and level with a reference added.
    HRESULT HandOutSurface(UINT face, UINT level, IDirect3DSurface8** out)
    {
        if (!out || face >= storage->GetFaceCount() || level >= storage->GetLevelCount())
            return D3DERR_INVALIDCALL;
        *out = surfaces[face * storage->GetLevelCount() + level];
        this->AddRef();
        return D3D_OK;
    }

    CTextureStorage* storage;

private:
    std::vector<CD3D8Surface*> surfaces; // face * level count + level
    DWORD usage;
    D3DPOOL pool;
    DWORD lod;
};

#endif
