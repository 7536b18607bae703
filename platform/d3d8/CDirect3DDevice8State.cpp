// Device state: render states, texture-stage states, transforms, material,
// lights, bound resources, and state blocks that capture and restore them.
#include "CDirect3DDevice8.h"

#include "D3D8Helpers.h"

namespace {

void SetIdentity(D3DMATRIX* matrix)
{
    memset(matrix, 0, sizeof(*matrix));
    matrix->_11 = matrix->_22 = matrix->_33 = matrix->_44 = 1.0f;
}

// Where a state keeps the matrix of a transform, or null for a transform it does not have.
D3DMATRIX* TransformSlot(DeviceState& held, D3DTRANSFORMSTATETYPE type)
{
    if (type == D3DTS_WORLD)
        return &held.world;
    if (type == D3DTS_VIEW)
        return &held.view;
    if (type == D3DTS_PROJECTION)
        return &held.projection;
    if (type >= D3DTS_TEXTURE0 && type <= D3DTS_TEXTURE7)
        return &held.textureMatrices[type - D3DTS_TEXTURE0];
    return nullptr;
}

// The light set at index, or null.
DeviceLight* FindLight(DeviceState& held, DWORD index)
{
    std::map<DWORD, DeviceLight>::iterator found = held.lights.find(index);
    return found == held.lights.end() ? nullptr : &found->second;
}

// The state block of a token, or null.
DeviceState* FindStateBlock(std::map<DWORD, DeviceState*>& blocks, DWORD token)
{
    std::map<DWORD, DeviceState*>::iterator found = blocks.find(token);
    return found == blocks.end() ? nullptr : found->second;
}

} // namespace

void CDirect3DDevice8::ResetState()
{
    ReleaseState(state);
    memset(state.renderStates, 0, sizeof(state.renderStates));
    DWORD* rs = state.renderStates;
    rs[D3DRS_ZENABLE] = presentParameters.EnableAutoDepthStencil ? D3DZB_TRUE : D3DZB_FALSE;
    rs[D3DRS_FILLMODE] = D3DFILL_SOLID;
    rs[D3DRS_SHADEMODE] = D3DSHADE_GOURAUD;
    rs[D3DRS_ZWRITEENABLE] = TRUE;
    rs[D3DRS_LASTPIXEL] = TRUE;
    rs[D3DRS_SRCBLEND] = D3DBLEND_ONE;
    rs[D3DRS_DESTBLEND] = D3DBLEND_ZERO;
    rs[D3DRS_CULLMODE] = D3DCULL_CCW;
    rs[D3DRS_ZFUNC] = D3DCMP_LESSEQUAL;
    rs[D3DRS_ALPHAFUNC] = D3DCMP_ALWAYS;
    rs[D3DRS_FOGSTART] = FloatToBits(0.0f);
    rs[D3DRS_FOGEND] = FloatToBits(1.0f);
    rs[D3DRS_FOGDENSITY] = FloatToBits(1.0f);
    rs[D3DRS_STENCILFAIL] = D3DSTENCILOP_KEEP;
    rs[D3DRS_STENCILZFAIL] = D3DSTENCILOP_KEEP;
    rs[D3DRS_STENCILPASS] = D3DSTENCILOP_KEEP;
    rs[D3DRS_STENCILFUNC] = D3DCMP_ALWAYS;
    rs[D3DRS_STENCILMASK] = 0xFFFFFFFF;
    rs[D3DRS_STENCILWRITEMASK] = 0xFFFFFFFF;
    rs[D3DRS_TEXTUREFACTOR] = 0xFFFFFFFF;
    rs[D3DRS_CLIPPING] = TRUE;
    rs[D3DRS_LIGHTING] = TRUE;
    rs[D3DRS_COLORVERTEX] = TRUE;
    rs[D3DRS_LOCALVIEWER] = TRUE;
    rs[D3DRS_DIFFUSEMATERIALSOURCE] = D3DMCS_COLOR1;
    rs[D3DRS_SPECULARMATERIALSOURCE] = D3DMCS_COLOR2;
    rs[D3DRS_AMBIENTMATERIALSOURCE] = D3DMCS_MATERIAL;
    rs[D3DRS_EMISSIVEMATERIALSOURCE] = D3DMCS_MATERIAL;
    rs[D3DRS_POINTSIZE] = FloatToBits(1.0f);
    rs[D3DRS_POINTSIZE_MIN] = FloatToBits(0.0f);
    rs[D3DRS_POINTSIZE_MAX] = FloatToBits(64.0f);
    rs[D3DRS_POINTSCALE_A] = FloatToBits(1.0f);
    rs[D3DRS_MULTISAMPLEANTIALIAS] = TRUE;
    rs[D3DRS_MULTISAMPLEMASK] = 0xFFFFFFFF;
    rs[D3DRS_COLORWRITEENABLE] = 0xF;
    rs[D3DRS_BLENDOP] = D3DBLENDOP_ADD;

    memset(state.stageStates, 0, sizeof(state.stageStates));
    for (UINT stage = 0; stage < DEVICE_STAGES; stage++) {
        DWORD* ss = state.stageStates[stage];
        ss[D3DTSS_COLOROP] = stage == 0 ? D3DTOP_MODULATE : D3DTOP_DISABLE;
        ss[D3DTSS_COLORARG1] = D3DTA_TEXTURE;
        ss[D3DTSS_COLORARG2] = D3DTA_CURRENT;
        ss[D3DTSS_ALPHAOP] = stage == 0 ? D3DTOP_SELECTARG1 : D3DTOP_DISABLE;
        ss[D3DTSS_ALPHAARG1] = D3DTA_TEXTURE;
        ss[D3DTSS_ALPHAARG2] = D3DTA_CURRENT;
        ss[D3DTSS_TEXCOORDINDEX] = stage;
        ss[D3DTSS_ADDRESSU] = D3DTADDRESS_WRAP;
        ss[D3DTSS_ADDRESSV] = D3DTADDRESS_WRAP;
        ss[D3DTSS_ADDRESSW] = D3DTADDRESS_WRAP;
        ss[D3DTSS_MAGFILTER] = D3DTEXF_POINT;
        ss[D3DTSS_MINFILTER] = D3DTEXF_POINT;
        ss[D3DTSS_MIPFILTER] = D3DTEXF_NONE;
        ss[D3DTSS_MAXANISOTROPY] = 1;
        ss[D3DTSS_TEXTURETRANSFORMFLAGS] = D3DTTFF_DISABLE;
        ss[D3DTSS_COLORARG0] = D3DTA_CURRENT;
        ss[D3DTSS_ALPHAARG0] = D3DTA_CURRENT;
        ss[D3DTSS_RESULTARG] = D3DTA_CURRENT;
        state.textures[stage] = nullptr;
        SetIdentity(&state.textureMatrices[stage]);
    }
    SetIdentity(&state.world);
    SetIdentity(&state.view);
    SetIdentity(&state.projection);
    memset(&state.material, 0, sizeof(state.material));
    state.lights.clear();
    state.vertexShader = 0;
    state.streamSource = nullptr;
    state.streamStride = 0;
    state.indices = nullptr;
    state.baseVertexIndex = 0;
    FullViewport();
    renderStatesDirty = true;
    transformsDirty = true;
    projectionDirty = true;
    stagesDirty = true;
    lightsDirty = true;
    materialDirty = true;
}

void CDirect3DDevice8::FullViewport()
{
    state.viewport.X = 0;
    state.viewport.Y = 0;
    state.viewport.Width = renderTarget ? renderTarget->GetWidth() : presentParameters.BackBufferWidth;
    state.viewport.Height = renderTarget ? renderTarget->GetHeight() : presentParameters.BackBufferHeight;
    state.viewport.MinZ = 0.0f;
    state.viewport.MaxZ = 1.0f;
    transformsDirty = true;
    projectionDirty = true;
}

// A state holds a reference on every texture and buffer it names.
void CDirect3DDevice8::RetainState(DeviceState& held)
{
    for (UINT stage = 0; stage < DEVICE_STAGES; stage++) {
        if (held.textures[stage])
            held.textures[stage]->AddRef();
    }
    if (held.streamSource)
        held.streamSource->AddRef();
    if (held.indices)
        held.indices->AddRef();
}

void CDirect3DDevice8::ReleaseState(DeviceState& held)
{
    for (UINT stage = 0; stage < DEVICE_STAGES; stage++) {
        if (held.textures[stage])
            held.textures[stage]->Release();
        held.textures[stage] = nullptr;
    }
    if (held.streamSource)
        held.streamSource->Release();
    if (held.indices)
        held.indices->Release();
    held.streamSource = nullptr;
    held.indices = nullptr;
}

HRESULT CDirect3DDevice8::SetTransform(D3DTRANSFORMSTATETYPE type, const D3DMATRIX* matrix)
{
    D3DMATRIX* slot = TransformSlot(state, type);
    if (!matrix || !slot)
        return D3DERR_INVALIDCALL;
    *slot = *matrix;
    // Texture matrices belong to the texture stages.
    if (type >= D3DTS_TEXTURE0 && type <= D3DTS_TEXTURE7)
        stagesDirty = true;
    else
        transformsDirty = true;
    if (type == D3DTS_PROJECTION)
        projectionDirty = true;
    if (type == D3DTS_VIEW)
        lightsDirty = true; // lights are placed in camera space
    return D3D_OK;
}

HRESULT CDirect3DDevice8::GetTransform(D3DTRANSFORMSTATETYPE type, D3DMATRIX* matrix)
{
    D3DMATRIX* slot = TransformSlot(state, type);
    if (!matrix || !slot)
        return D3DERR_INVALIDCALL;
    *matrix = *slot;
    return D3D_OK;
}

// The given matrix is applied first: current = matrix * current.
HRESULT CDirect3DDevice8::MultiplyTransform(D3DTRANSFORMSTATETYPE type, const D3DMATRIX* matrix)
{
    D3DMATRIX current;
    if (!matrix || FAILED(GetTransform(type, &current)))
        return D3DERR_INVALIDCALL;
    D3DMATRIX product = MultiplyMatrices(*matrix, current);
    return SetTransform(type, &product);
}

HRESULT CDirect3DDevice8::SetViewport(const D3DVIEWPORT8* viewport)
{
    if (!viewport || !renderTarget || viewport->Width == 0 || viewport->Height == 0 ||
        viewport->X + viewport->Width > renderTarget->GetWidth() ||
        viewport->Y + viewport->Height > renderTarget->GetHeight())
        return D3DERR_INVALIDCALL;
    state.viewport = *viewport;
    transformsDirty = true;
    projectionDirty = true;
    return D3D_OK;
}

HRESULT CDirect3DDevice8::GetViewport(D3DVIEWPORT8* viewport)
{
    if (!viewport)
        return D3DERR_INVALIDCALL;
    *viewport = state.viewport;
    return D3D_OK;
}

HRESULT CDirect3DDevice8::SetMaterial(const D3DMATERIAL8* material)
{
    if (!material)
        return D3DERR_INVALIDCALL;
    state.material = *material;
    materialDirty = true;
    return D3D_OK;
}

HRESULT CDirect3DDevice8::GetMaterial(D3DMATERIAL8* material)
{
    if (!material)
        return D3DERR_INVALIDCALL;
    *material = state.material;
    return D3D_OK;
}

HRESULT CDirect3DDevice8::SetLight(DWORD index, const D3DLIGHT8* light)
{
    if (!light || light->Type < D3DLIGHT_POINT || light->Type > D3DLIGHT_DIRECTIONAL)
        return D3DERR_INVALIDCALL;
    DeviceLight* entry = FindLight(state, index);
    if (!entry) {
        entry = &state.lights[index];
        entry->enabled = false;
    }
    entry->light = *light;
    lightsDirty = true;
    return D3D_OK;
}

HRESULT CDirect3DDevice8::GetLight(DWORD index, D3DLIGHT8* light)
{
    DeviceLight* entry = FindLight(state, index);
    if (!light || !entry)
        return D3DERR_INVALIDCALL;
    *light = entry->light;
    return D3D_OK;
}

// Enabling a light never set gives the default: a white directional light
// shining along +z.
HRESULT CDirect3DDevice8::LightEnable(DWORD index, BOOL enable)
{
    DeviceLight* entry = FindLight(state, index);
    if (!entry) {
        D3DLIGHT8 light;
        memset(&light, 0, sizeof(light));
        light.Type = D3DLIGHT_DIRECTIONAL;
        light.Diffuse.r = light.Diffuse.g = light.Diffuse.b = 1.0f;
        light.Direction.z = 1.0f;
        SetLight(index, &light);
        entry = FindLight(state, index);
    }
    entry->enabled = enable != FALSE;
    lightsDirty = true;
    return D3D_OK;
}

HRESULT CDirect3DDevice8::GetLightEnable(DWORD index, BOOL* enable)
{
    DeviceLight* entry = FindLight(state, index);
    if (!enable || !entry)
        return D3DERR_INVALIDCALL;
    *enable = entry->enabled ? TRUE : FALSE;
    return D3D_OK;
}

HRESULT CDirect3DDevice8::SetRenderState(D3DRENDERSTATETYPE type, DWORD value)
{
    if ((UINT)type >= D3D_MAX_RENDERSTATES)
        return D3DERR_INVALIDCALL;
    state.renderStates[type] = value;
    renderStatesDirty = true;
    if (type == D3DRS_TEXTUREFACTOR)
        stagesDirty = true; // the factor is a texture-environment colour
    if (type == D3DRS_SPECULARENABLE)
        materialDirty = true; // specular off is sent as a black specular material
    return D3D_OK;
}

HRESULT CDirect3DDevice8::GetRenderState(D3DRENDERSTATETYPE type, DWORD* value)
{
    if (!value || (UINT)type >= D3D_MAX_RENDERSTATES)
        return D3DERR_INVALIDCALL;
    *value = state.renderStates[type];
    return D3D_OK;
}

// Every kind of block records the whole state here; applying a block
// restores all of it.
HRESULT CDirect3DDevice8::CreateStateBlock(D3DSTATEBLOCKTYPE, DWORD* token)
{
    if (!token)
        return D3DERR_INVALIDCALL;
    DeviceState* block = new DeviceState(state);
    RetainState(*block);
    *token = nextStateBlock++;
    stateBlocks[*token] = block;
    return D3D_OK;
}

HRESULT CDirect3DDevice8::CaptureStateBlock(DWORD token)
{
    DeviceState* block = FindStateBlock(stateBlocks, token);
    if (!block)
        return D3DERR_INVALIDCALL;
    RetainState(state);
    ReleaseState(*block);
    *block = state;
    return D3D_OK;
}

HRESULT CDirect3DDevice8::ApplyStateBlock(DWORD token)
{
    DeviceState* block = FindStateBlock(stateBlocks, token);
    if (!block)
        return D3DERR_INVALIDCALL;
    RetainState(*block);
    ReleaseState(state);
    state = *block;
    renderStatesDirty = true;
    transformsDirty = true;
    projectionDirty = true;
    stagesDirty = true;
    lightsDirty = true;
    materialDirty = true;
    return D3D_OK;
}

HRESULT CDirect3DDevice8::DeleteStateBlock(DWORD token)
{
    DeviceState* block = FindStateBlock(stateBlocks, token);
    if (!block)
        return D3DERR_INVALIDCALL;
    ReleaseState(*block);
    delete block;
    stateBlocks.erase(token);
    return D3D_OK;
}

HRESULT CDirect3DDevice8::GetTexture(DWORD stage, IDirect3DBaseTexture8** texture)
{
    if (!texture || stage >= DEVICE_STAGES)
        return D3DERR_INVALIDCALL;
    *texture = state.textures[stage];
    if (*texture)
        (*texture)->AddRef();
    return D3D_OK;
}

HRESULT CDirect3DDevice8::SetTexture(DWORD stage, IDirect3DBaseTexture8* texture)
{
    if (stage >= DEVICE_STAGES)
        return D3DERR_INVALIDCALL;
    SwapReference(texture, state.textures[stage]);
    state.textures[stage] = texture;
    stagesDirty = true;
    return D3D_OK;
}

HRESULT CDirect3DDevice8::GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value)
{
    if (!value || stage >= DEVICE_STAGES || (UINT)type >= D3D_MAX_TSS)
        return D3DERR_INVALIDCALL;
    *value = state.stageStates[stage][type];
    return D3D_OK;
}

HRESULT CDirect3DDevice8::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value)
{
    if (stage >= DEVICE_STAGES || (UINT)type >= D3D_MAX_TSS)
        return D3DERR_INVALIDCALL;
    state.stageStates[stage][type] = value;
    stagesDirty = true;
    return D3D_OK;
}

HRESULT CDirect3DDevice8::ValidateDevice(DWORD* numPasses)
{
    if (numPasses)
        *numPasses = 1;
    return D3D_OK;
}

HRESULT CDirect3DDevice8::SetVertexShader(DWORD handle)
{
    VertexFormat layout;
    if (!DecodeVertexFormat(handle, &layout))
        return D3DERR_INVALIDCALL;
    state.vertexShader = handle;
    return D3D_OK;
}

HRESULT CDirect3DDevice8::GetVertexShader(DWORD* handle)
{
    if (!handle)
        return D3DERR_INVALIDCALL;
    *handle = state.vertexShader;
    return D3D_OK;
}

HRESULT CDirect3DDevice8::SetStreamSource(UINT streamNumber, IDirect3DVertexBuffer8* streamData, UINT stride)
{
    if (streamNumber != 0)
        return D3DERR_INVALIDCALL;
    SwapReference(streamData, state.streamSource);
    state.streamSource = streamData;
    state.streamStride = stride;
    return D3D_OK;
}

HRESULT CDirect3DDevice8::GetStreamSource(UINT streamNumber, IDirect3DVertexBuffer8** streamData, UINT* stride)
{
    if (streamNumber != 0 || !streamData || !stride)
        return D3DERR_INVALIDCALL;
    *streamData = state.streamSource;
    if (*streamData)
        (*streamData)->AddRef();
    *stride = state.streamStride;
    return D3D_OK;
}

HRESULT CDirect3DDevice8::SetIndices(IDirect3DIndexBuffer8* indexData, UINT baseVertexIndex)
{
    SwapReference(indexData, state.indices);
    state.indices = indexData;
    state.baseVertexIndex = baseVertexIndex;
    return D3D_OK;
}

HRESULT CDirect3DDevice8::GetIndices(IDirect3DIndexBuffer8** indexData, UINT* baseVertexIndex)
{
    if (!indexData || !baseVertexIndex)
        return D3DERR_INVALIDCALL;
    *indexData = state.indices;
    if (*indexData)
        (*indexData)->AddRef();
    *baseVertexIndex = state.baseVertexIndex;
    return D3D_OK;
}
