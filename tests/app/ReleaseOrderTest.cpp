// The device objects the application holds go in a fixed order when the
// device goes: the environment-map renderer, the shadow quad, the cube map.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CZarulApplication.h"

namespace {

std::vector<std::string> released;

// Records its Release under a name; nothing else of it is used.
template <typename Interface>
class Recorded : public Interface {
public:
    explicit Recorded(const char* name) : name(name) {}
    HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG AddRef() override { return 1; }
    ULONG Release() override
    {
        released.push_back(name);
        delete this;
        return 0;
    }

protected:
    const char* name;
};

class RecordedRenderer : public Recorded<ID3DXRenderToEnvMap> {
public:
    RecordedRenderer() : Recorded("renderer") {}
    HRESULT BeginCube(IDirect3DCubeTexture8*) override { return E_FAIL; }
    HRESULT Face(D3DCUBEMAP_FACES) override { return E_FAIL; }
    HRESULT End() override { return E_FAIL; }
};

// What vertex buffers and cube textures share as resources.
template <typename Interface>
class RecordedResource : public Recorded<Interface> {
public:
    explicit RecordedResource(const char* name) : Recorded<Interface>(name) {}
    HRESULT GetDevice(IDirect3DDevice8**) override { return E_FAIL; }
    DWORD SetPriority(DWORD) override { return 0; }
    DWORD GetPriority() override { return 0; }
    void PreLoad() override {}
};

class RecordedQuad : public RecordedResource<IDirect3DVertexBuffer8> {
public:
    RecordedQuad() : RecordedResource("quad") {}
    D3DRESOURCETYPE GetType() override { return D3DRTYPE_VERTEXBUFFER; }
    HRESULT Lock(UINT, UINT, BYTE**, DWORD) override { return E_FAIL; }
    HRESULT Unlock() override { return E_FAIL; }
    HRESULT GetDesc(D3DVERTEXBUFFER_DESC*) override { return E_FAIL; }
};

class RecordedCube : public RecordedResource<IDirect3DCubeTexture8> {
public:
    RecordedCube() : RecordedResource("cube") {}
    D3DRESOURCETYPE GetType() override { return D3DRTYPE_CUBETEXTURE; }
    DWORD SetLOD(DWORD) override { return 0; }
    DWORD GetLOD() override { return 0; }
    DWORD GetLevelCount() override { return 1; }
    HRESULT GetLevelDesc(UINT, D3DSURFACE_DESC*) override { return E_FAIL; }
    HRESULT GetCubeMapSurface(D3DCUBEMAP_FACES, UINT, IDirect3DSurface8**) override { return E_FAIL; }
    HRESULT LockRect(D3DCUBEMAP_FACES, UINT, D3DLOCKED_RECT*, const RECT*, DWORD) override { return E_FAIL; }
    HRESULT UnlockRect(D3DCUBEMAP_FACES, UINT) override { return E_FAIL; }
    HRESULT AddDirtyRect(D3DCUBEMAP_FACES, const RECT*) override { return E_FAIL; }
};

TEST(Application, DeletingDeviceObjectsReleasesRendererQuadAndCubeInThatOrder)
{
    CZarulApplication app("zarul");
    app.envMapRenderer = new RecordedRenderer();
    app.quadVB = new RecordedQuad();
    app.envCubeTexture = new RecordedCube();
    released.clear();
    EXPECT_EQ(S_OK, app.DeleteDeviceObjects());
    EXPECT_EQ((std::vector<std::string>{ "renderer", "quad", "cube" }), released);
    EXPECT_EQ(nullptr, app.envMapRenderer);
    EXPECT_EQ(nullptr, app.quadVB);
    EXPECT_EQ(nullptr, app.envCubeTexture);
}

} // namespace
