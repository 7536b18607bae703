// The cube environment-map renderer behind ID3DXRenderToEnvMap.
#include <d3dx8.h>

class CRenderToEnvMap : public ID3DXRenderToEnvMap
{
public:
    CRenderToEnvMap(IDirect3DDevice8 *device, UINT size, IDirect3DSurface8 *depth);

    HRESULT QueryInterface(REFIID riid, void **object) override;
    ULONG AddRef() override;
    ULONG Release() override;

    HRESULT BeginCube(IDirect3DCubeTexture8 *cubeTexture) override;
    HRESULT Face(D3DCUBEMAP_FACES face) override;
    HRESULT End() override;

private:
    ~CRenderToEnvMap() override;

    void ReleaseFaceSurface();
    // Puts the saved target back and drops everything held for the cube.
    void Finish();

    ULONG refCount;
    IDirect3DDevice8 *device;
    UINT size;
    IDirect3DSurface8 *depth;  // null when made without a depth surface

    // Held between BeginCube and End.
    bool begun;
    bool sceneOpen;
    IDirect3DCubeTexture8 *cube;
    IDirect3DSurface8 *faceSurface;
    IDirect3DSurface8 *savedTarget;
    IDirect3DSurface8 *savedDepth;
};

CRenderToEnvMap::CRenderToEnvMap(IDirect3DDevice8 *renderDevice, UINT edge, IDirect3DSurface8 *depthSurface)
    : refCount(1), device(renderDevice), size(edge), depth(depthSurface), begun(false), sceneOpen(false),
      cube(nullptr), faceSurface(nullptr), savedTarget(nullptr), savedDepth(nullptr)
{
    device->AddRef();
}

CRenderToEnvMap::~CRenderToEnvMap()
{
    if (begun) {
        Finish();
    }
    if (depth) {
        depth->Release();
    }
    device->Release();
}

HRESULT CRenderToEnvMap::QueryInterface(REFIID, void **object)
{
    if (object) {
        *object = nullptr;
    }
    return E_NOINTERFACE;
}

ULONG CRenderToEnvMap::AddRef()
{
    return ++refCount;
}

ULONG CRenderToEnvMap::Release()
{
    ULONG count = --refCount;
    if (count == 0) {
        delete this;
    }
    return count;
}

HRESULT CRenderToEnvMap::BeginCube(IDirect3DCubeTexture8 *cubeTexture)
{
    if (!cubeTexture || begun) {
        return D3DERR_INVALIDCALL;
    }
    HRESULT hr = device->GetRenderTarget(&savedTarget);
    if (FAILED(hr)) {
        savedTarget = nullptr;
        return hr;
    }
    // A device without a depth surface answers with an error and null.
    if (FAILED(device->GetDepthStencilSurface(&savedDepth))) {
        savedDepth = nullptr;
    }
    cube = cubeTexture;
    cube->AddRef();
    begun = true;
    // Inside a scene already, the faces are drawn as part of that scene.
    sceneOpen = SUCCEEDED(device->BeginScene());
    return D3D_OK;
}

HRESULT CRenderToEnvMap::Face(D3DCUBEMAP_FACES face)
{
    if (!begun || (int)face < (int)D3DCUBEMAP_FACE_POSITIVE_X || (int)face > (int)D3DCUBEMAP_FACE_NEGATIVE_Z) {
        return D3DERR_INVALIDCALL;
    }
    ReleaseFaceSurface();
    HRESULT hr = cube->GetCubeMapSurface(face, 0, &faceSurface);
    if (FAILED(hr)) {
        faceSurface = nullptr;
        return hr;
    }
    hr = device->SetRenderTarget(faceSurface, depth);
    if (FAILED(hr)) {
        return hr;
    }
    D3DVIEWPORT8 viewport = { 0, 0, size, size, 0.0f, 1.0f };
    device->SetViewport(&viewport);
    // A fresh depth surface holds nothing meaningful; each face starts at
    // the far plane so that whatever is drawn first shows.
    if (depth) {
        device->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    }
    return D3D_OK;
}

HRESULT CRenderToEnvMap::End()
{
    if (!begun) {
        return D3DERR_INVALIDCALL;
    }
    Finish();
    return D3D_OK;
}

void CRenderToEnvMap::ReleaseFaceSurface()
{
    if (faceSurface) {
        faceSurface->Release();
        faceSurface = nullptr;
    }
}

void CRenderToEnvMap::Finish()
{
    if (sceneOpen) {
        device->EndScene();
        sceneOpen = false;
    }
    device->SetRenderTarget(savedTarget, savedDepth);
    ReleaseFaceSurface();
    if (savedTarget) {
        savedTarget->Release();
        savedTarget = nullptr;
    }
    if (savedDepth) {
        savedDepth->Release();
        savedDepth = nullptr;
    }
    cube->Release();
    cube = nullptr;
    begun = false;
}

HRESULT D3DXCreateRenderToEnvMap(IDirect3DDevice8 *device, UINT size, D3DFORMAT, BOOL depthStencil,
                                 D3DFORMAT depthStencilFormat, ID3DXRenderToEnvMap **renderToEnvMap)
{
    // The colour format is the cube texture's, chosen when the caller makes
    // it; the renderer itself needs only the depth surface.
    if (!device || !renderToEnvMap || size == 0) {
        return D3DERR_INVALIDCALL;
    }
    *renderToEnvMap = nullptr;
    IDirect3DSurface8 *depth = nullptr;
    if (depthStencil) {
        HRESULT hr = device->CreateDepthStencilSurface(size, size, depthStencilFormat, D3DMULTISAMPLE_NONE, &depth);
        if (FAILED(hr)) {
            return hr;
        }
    }
    *renderToEnvMap = new CRenderToEnvMap(device, size, depth);
    return D3D_OK;
}
