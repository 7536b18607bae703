#ifndef FAKEDEVICE_H
#define FAKEDEVICE_H

// A stand-in Direct3D device that draws nothing but remembers what it is told:
// states, transforms, textures, buffers and draw calls. It lets the asset classes be
// checked exactly (and under the sanitizer) without a GL context.

#include <d3d8.h>

#include <cstring>
#include <map>
#include <vector>

struct FakeCounts
{
    int liveTextures = 0;
    int liveBuffers = 0;
    int texturesMade = 0;
};

// Reference counting and the resource calls shared by the stand-in resources; each
// live one is counted in the device's FakeCounts.
template <class Interface>
class FakeResource : public Interface {
public:
    FakeResource(FakeCounts& c, int FakeCounts::*counter, D3DRESOURCETYPE resourceType)
        : refs(1), counts(c), live(counter), type(resourceType)
    {
        counts.*live += 1;
    }

    HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG AddRef() override { return ++refs; }
    ULONG Release() override
    {
        ULONG left = --refs;
        if (left == 0) {
            counts.*live -= 1;
            delete this;
        }
        return left;
    }
    HRESULT GetDevice(IDirect3DDevice8**) override { return E_NOTIMPL; }
    DWORD SetPriority(DWORD) override { return 0; }
    DWORD GetPriority() override { return 0; }
    void PreLoad() override {}
    D3DRESOURCETYPE GetType() override { return type; }

private:
    ULONG refs;
    FakeCounts& counts;
    int FakeCounts::*live;
    D3DRESOURCETYPE type;
};

class FakeTexture : public FakeResource<IDirect3DTexture8> {
public:
    struct Level
    {
        UINT width, height;
        std::vector<uint32_t> pixels;
    };

    FakeTexture(UINT width, UINT height, UINT levels, FakeCounts& c)
        : FakeResource<IDirect3DTexture8>(c, &FakeCounts::liveTextures, D3DRTYPE_TEXTURE)
    {
        for (UINT i = 0; levels == 0 || i < levels; i++) {
            Level l = { width, height, std::vector<uint32_t>((size_t)width * height, 0xDEADBEEF) };
            chain.push_back(l);
            if (width == 1 && height == 1)
                break;
            width = width > 1 ? width / 2 : 1;
            height = height > 1 ? height / 2 : 1;
        }
        c.texturesMade++;
    }

    DWORD SetLOD(DWORD) override { return 0; }
    DWORD GetLOD() override { return 0; }
    DWORD GetLevelCount() override { return (DWORD)chain.size(); }
    HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) override
    {
        if (level >= chain.size())
            return D3DERR_INVALIDCALL;
        memset(desc, 0, sizeof(*desc));
        desc->Format = D3DFMT_A8R8G8B8;
        desc->Pool = D3DPOOL_MANAGED;
        desc->Width = chain[level].width;
        desc->Height = chain[level].height;
        return D3D_OK;
    }
    HRESULT GetSurfaceLevel(UINT, IDirect3DSurface8**) override { return E_NOTIMPL; }
    HRESULT LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT*, DWORD) override
    {
        if (level >= chain.size())
            return D3DERR_INVALIDCALL;
        locked->Pitch = (INT)(chain[level].width * 4);
        locked->pBits = chain[level].pixels.data();
        return D3D_OK;
    }
    HRESULT UnlockRect(UINT) override { return D3D_OK; }
    HRESULT AddDirtyRect(const RECT*) override { return D3D_OK; }

    std::vector<Level> chain;
};

class FakeVertexBuffer : public FakeResource<IDirect3DVertexBuffer8> {
public:
    FakeVertexBuffer(UINT length, FakeCounts& c)
        : FakeResource<IDirect3DVertexBuffer8>(c, &FakeCounts::liveBuffers, D3DRTYPE_VERTEXBUFFER), bytes(length)
    {
    }

    HRESULT Lock(UINT, UINT, BYTE** data, DWORD) override { *data = bytes.data(); return D3D_OK; }
    HRESULT Unlock() override { return D3D_OK; }
    HRESULT GetDesc(D3DVERTEXBUFFER_DESC*) override { return E_NOTIMPL; }

    std::vector<BYTE> bytes;
};

class FakeDevice : public IDirect3DDevice8 {
public:
    struct Draw
    {
        D3DPRIMITIVETYPE type;
        UINT start;
        UINT primitives;
        DWORD fvf;
        IDirect3DBaseTexture8* texture;
        std::vector<BYTE> userVertices;   // DrawPrimitiveUP data
        UINT stride;
        D3DMATRIX world;
        D3DMATERIAL8 material;
        std::map<DWORD, DWORD> renderStates;
    };

    FakeDevice()
    {
        memset(&material, 0, sizeof(material));
        D3DMATRIX identity;
        memset(&identity, 0, sizeof(identity));
        identity._11 = identity._22 = identity._33 = identity._44 = 1.0f;
        transforms[D3DTS_WORLD] = transforms[D3DTS_VIEW] = transforms[D3DTS_PROJECTION] = identity;
        renderStates[D3DRS_LIGHTING] = TRUE;
        renderStates[D3DRS_ZWRITEENABLE] = TRUE;
        renderStates[D3DRS_CULLMODE] = D3DCULL_CCW;
        renderStates[D3DRS_ALPHABLENDENABLE] = FALSE;
        renderStates[D3DRS_SRCBLEND] = D3DBLEND_ONE;
        renderStates[D3DRS_DESTBLEND] = D3DBLEND_ZERO;
        renderStates[D3DRS_NORMALIZENORMALS] = FALSE;
    }

    FakeCounts counts;
    bool failTextures = false;
    std::map<DWORD, DWORD> renderStates;
    std::map<DWORD, DWORD> stageStates;   // stage * 1000 + type
    std::map<DWORD, D3DMATRIX> transforms;
    std::map<DWORD, IDirect3DBaseTexture8*> textures;
    D3DMATERIAL8 material;
    DWORD fvf = 0;
    IDirect3DVertexBuffer8* stream = nullptr;
    std::vector<Draw> draws;

    HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }
    HRESULT TestCooperativeLevel() override { return D3D_OK; }
    UINT GetAvailableTextureMem() override { return 0; }
    HRESULT GetDirect3D(IDirect3D8**) override { return E_NOTIMPL; }
    HRESULT GetDeviceCaps(D3DCAPS8*) override { return E_NOTIMPL; }
    HRESULT GetDisplayMode(D3DDISPLAYMODE*) override { return E_NOTIMPL; }
    HRESULT GetCreationParameters(D3DDEVICE_CREATION_PARAMETERS*) override { return E_NOTIMPL; }
    BOOL ShowCursor(BOOL) override { return FALSE; }
    HRESULT Reset(D3DPRESENT_PARAMETERS*) override { return E_NOTIMPL; }
    HRESULT Present(const RECT*, const RECT*, HWND, const void*) override { return D3D_OK; }
    HRESULT GetBackBuffer(UINT, D3DBACKBUFFER_TYPE, IDirect3DSurface8**) override { return E_NOTIMPL; }
    HRESULT CreateTexture(UINT width, UINT height, UINT levels, DWORD, D3DFORMAT format, D3DPOOL pool,
                          IDirect3DTexture8** texture) override
    {
        *texture = nullptr;
        if (failTextures || format != D3DFMT_A8R8G8B8 || pool != D3DPOOL_MANAGED)
            return E_FAIL;
        *texture = new FakeTexture(width, height, levels, counts);
        return D3D_OK;
    }
    HRESULT CreateCubeTexture(UINT, UINT, DWORD, D3DFORMAT, D3DPOOL, IDirect3DCubeTexture8**) override { return E_NOTIMPL; }
    HRESULT CreateVertexBuffer(UINT length, DWORD, DWORD, D3DPOOL, IDirect3DVertexBuffer8** buffer) override
    {
        *buffer = new FakeVertexBuffer(length, counts);
        return D3D_OK;
    }
    HRESULT CreateIndexBuffer(UINT, DWORD, D3DFORMAT, D3DPOOL, IDirect3DIndexBuffer8**) override { return E_NOTIMPL; }
    HRESULT CreateRenderTarget(UINT, UINT, D3DFORMAT, D3DMULTISAMPLE_TYPE, BOOL, IDirect3DSurface8**) override { return E_NOTIMPL; }
    HRESULT CreateDepthStencilSurface(UINT, UINT, D3DFORMAT, D3DMULTISAMPLE_TYPE, IDirect3DSurface8**) override { return E_NOTIMPL; }
    HRESULT CreateImageSurface(UINT, UINT, D3DFORMAT, IDirect3DSurface8**) override { return E_NOTIMPL; }
    HRESULT CopyRects(IDirect3DSurface8*, const RECT*, UINT, IDirect3DSurface8*, const POINT*) override { return E_NOTIMPL; }
    HRESULT SetRenderTarget(IDirect3DSurface8*, IDirect3DSurface8*) override { return E_NOTIMPL; }
    HRESULT GetRenderTarget(IDirect3DSurface8**) override { return E_NOTIMPL; }
    HRESULT GetDepthStencilSurface(IDirect3DSurface8**) override { return E_NOTIMPL; }
    HRESULT BeginScene() override { return D3D_OK; }
    HRESULT EndScene() override { return D3D_OK; }
    HRESULT Clear(DWORD, const D3DRECT*, DWORD, D3DCOLOR, float, DWORD) override { return D3D_OK; }
    HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* m) override
    {
        transforms[state] = *m;
        return D3D_OK;
    }
    HRESULT GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* m) override
    {
        *m = transforms[state];
        return D3D_OK;
    }
    HRESULT MultiplyTransform(D3DTRANSFORMSTATETYPE, const D3DMATRIX*) override { return E_NOTIMPL; }
    HRESULT SetViewport(const D3DVIEWPORT8*) override { return E_NOTIMPL; }
    HRESULT GetViewport(D3DVIEWPORT8*) override { return E_NOTIMPL; }
    HRESULT SetMaterial(const D3DMATERIAL8* m) override { material = *m; return D3D_OK; }
    HRESULT GetMaterial(D3DMATERIAL8* m) override { *m = material; return D3D_OK; }
    HRESULT SetLight(DWORD, const D3DLIGHT8*) override { return D3D_OK; }
    HRESULT GetLight(DWORD, D3DLIGHT8*) override { return E_NOTIMPL; }
    HRESULT LightEnable(DWORD, BOOL) override { return D3D_OK; }
    HRESULT GetLightEnable(DWORD, BOOL*) override { return E_NOTIMPL; }
    HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override
    {
        renderStates[state] = value;
        return D3D_OK;
    }
    HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) override
    {
        *value = renderStates[state];
        return D3D_OK;
    }
    HRESULT ApplyStateBlock(DWORD) override { return E_NOTIMPL; }
    HRESULT CaptureStateBlock(DWORD) override { return E_NOTIMPL; }
    HRESULT DeleteStateBlock(DWORD) override { return E_NOTIMPL; }
    HRESULT CreateStateBlock(D3DSTATEBLOCKTYPE, DWORD*) override { return E_NOTIMPL; }
    HRESULT GetTexture(DWORD stage, IDirect3DBaseTexture8** texture) override
    {
        *texture = textures[stage];
        return D3D_OK;
    }
    HRESULT SetTexture(DWORD stage, IDirect3DBaseTexture8* texture) override
    {
        textures[stage] = texture;
        return D3D_OK;
    }
    HRESULT GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value) override
    {
        *value = stageStates[stage * 1000 + type];
        return D3D_OK;
    }
    HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) override
    {
        stageStates[stage * 1000 + type] = value;
        return D3D_OK;
    }
    HRESULT ValidateDevice(DWORD*) override { return D3D_OK; }
    HRESULT DrawPrimitive(D3DPRIMITIVETYPE type, UINT start, UINT count) override
    {
        Record(type, start, count, nullptr, 0);
        return D3D_OK;
    }
    HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE, UINT, UINT, UINT, UINT) override { return E_NOTIMPL; }
    HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT count, const void* data, UINT stride) override
    {
        Record(type, 0, count, data, stride);
        return D3D_OK;
    }
    HRESULT DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE, UINT, UINT, UINT, const void*, D3DFORMAT, const void*, UINT) override
    {
        return E_NOTIMPL;
    }
    HRESULT SetVertexShader(DWORD handle) override { fvf = handle; return D3D_OK; }
    HRESULT GetVertexShader(DWORD* handle) override { *handle = fvf; return D3D_OK; }
    HRESULT SetStreamSource(UINT, IDirect3DVertexBuffer8* data, UINT) override { stream = data; return D3D_OK; }
    HRESULT GetStreamSource(UINT, IDirect3DVertexBuffer8**, UINT*) override { return E_NOTIMPL; }
    HRESULT SetIndices(IDirect3DIndexBuffer8*, UINT) override { return E_NOTIMPL; }
    HRESULT GetIndices(IDirect3DIndexBuffer8**, UINT*) override { return E_NOTIMPL; }

private:
    void Record(D3DPRIMITIVETYPE type, UINT start, UINT count, const void* data, UINT stride)
    {
        Draw d;
        d.type = type;
        d.start = start;
        d.primitives = count;
        d.fvf = fvf;
        d.texture = textures[0];
        d.stride = stride;
        if (data) {
            size_t vertices = type == D3DPT_TRIANGLELIST ? count * 3 : count + 2;
            d.userVertices.assign((const BYTE*)data, (const BYTE*)data + vertices * stride);
        }
        d.world = transforms[D3DTS_WORLD];
        d.material = material;
        d.renderStates = renderStates;
        draws.push_back(d);
    }
};

#endif
