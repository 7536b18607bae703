// A surface: a level (and face) of a texture, a render target or image
// surface of its own, the back buffer, or a depth-stencil buffer.
// Levels of a texture share the texture's reference count.
#ifndef ZARUL_CD3D8SURFACE_H
#define ZARUL_CD3D8SURFACE_H

#include "CD3D8Object.h"
#include "CTextureStorage.h"

class CD3D8Surface : public CD3D8Object<IDirect3DSurface8> {
public:
    // A level of a texture; container receives the AddRef/Release calls.
    CD3D8Surface(IDirect3DDevice8* device, IUnknown* container, CTextureStorage* storage, UINT face, UINT level,
                 DWORD usage, D3DPOOL pool);
    // A colour surface with storage of its own; null when the format is not supported.
    static CD3D8Surface* CreateColor(IDirect3DDevice8* device, UINT width, UINT height, D3DFORMAT format,
                                     DWORD usage, D3DPOOL pool);
    // A depth-stencil buffer (always 24-bit depth with 8-bit stencil underneath).
    static CD3D8Surface* CreateDepthStencil(IDirect3DDevice8* device, UINT width, UINT height, D3DFORMAT format);

    // A level of a texture counts with its texture; any other surface counts for itself.
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT GetDevice(IDirect3DDevice8** device) override;
    HRESULT GetContainer(REFIID riid, void** container) override;
    HRESULT GetDesc(D3DSURFACE_DESC* desc) override;
    HRESULT LockRect(D3DLOCKED_RECT* lockedRect, const RECT* rect, DWORD flags) override;
    HRESULT UnlockRect() override;

    bool IsDepthStencil() const { return renderbuffer != 0; }
    GLuint GetRenderbuffer() const { return renderbuffer; }
    CTextureStorage* GetStorage() const { return storage; }
    UINT GetFace() const { return face; }
    UINT GetLevel() const { return level; }
    UINT GetWidth() const { return width; }
    UINT GetHeight() const { return height; }

    // Called after OpenGL drew into this surface.
    void MarkDrawn();

protected:
    // Levels of a texture are deleted by their texture.
    template <class Interface>
    friend class CD3D8BaseTexture;
    ~CD3D8Surface() override;

private:
    CD3D8Surface(IDirect3DDevice8* device, UINT width, UINT height, D3DFORMAT format, DWORD usage, D3DPOOL pool);

    IDirect3DDevice8* device;
    IUnknown* container;
    CTextureStorage* storage;
    bool ownsStorage;
    GLuint renderbuffer;
    UINT face;
    UINT level;
    UINT width;
    UINT height;
    D3DFORMAT format;
    DWORD usage;
    D3DPOOL pool;
};

#endif
