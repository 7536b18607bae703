// A cube texture: six square faces, each with its mip levels.
#ifndef ZARUL_CD3D8CUBETEXTURE_H
#define ZARUL_CD3D8CUBETEXTURE_H

#include "CD3D8Surface.h"

class CD3D8CubeTexture : public IDirect3DCubeTexture8 {
public:
    // Null when the size or format cannot be made.
    static CD3D8CubeTexture* Create(IDirect3DDevice8* device, UINT edgeLength, UINT levels, DWORD usage,
                                    D3DFORMAT format, D3DPOOL pool);

    HRESULT QueryInterface(REFIID riid, void** object) override;
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT GetDevice(IDirect3DDevice8** device) override;
    DWORD SetPriority(DWORD priorityNew) override;
    DWORD GetPriority() override;
    void PreLoad() override;
    D3DRESOURCETYPE GetType() override;
    DWORD SetLOD(DWORD lodNew) override;
    DWORD GetLOD() override;
    DWORD GetLevelCount() override;
    HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) override;
    HRESULT GetCubeMapSurface(D3DCUBEMAP_FACES faceType, UINT level, IDirect3DSurface8** cubeMapSurface) override;
    HRESULT LockRect(D3DCUBEMAP_FACES faceType, UINT level, D3DLOCKED_RECT* lockedRect, const RECT* rect,
                     DWORD flags) override;
    HRESULT UnlockRect(D3DCUBEMAP_FACES faceType, UINT level) override;
    HRESULT AddDirtyRect(D3DCUBEMAP_FACES faceType, const RECT* dirtyRect) override;

    CTextureStorage* GetStorage() { return storage; }

protected:
    ~CD3D8CubeTexture() override;

private:
    CD3D8CubeTexture(IDirect3DDevice8* device, CTextureStorage* storage, DWORD usage, D3DPOOL pool);

    IDirect3DDevice8* device;
    ULONG refCount;
    CTextureStorage* storage;
    std::vector<CD3D8Surface*> surfaces; // face * level count + level
    DWORD usage;
    D3DPOOL pool;
    DWORD priority;
    DWORD lod;
};

#endif
