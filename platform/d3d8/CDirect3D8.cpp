#include "CDirect3D8.h"

#include "D3D8Helpers.h"

#include "CDirect3DDevice8.h"
#include "PixelFormats.h"
#include "Win32Internal.h"

#include <stdio.h>

namespace {

D3DFORMAT FormatOfSDLMode(const SDL_DisplayMode& mode)
{
    return SDL_BITSPERPIXEL(mode.format) > 16 ? D3DFMT_X8R8G8B8 : D3DFMT_R5G6B5;
}

bool IsDisplayFormat(D3DFORMAT format)
{
    return format == D3DFMT_X8R8G8B8 || format == D3DFMT_A8R8G8B8 || format == D3DFMT_R5G6B5 ||
           format == D3DFMT_X1R5G5B5;
}

} // namespace

// Modes come from SDL's list for the first display, without repeats; a
// display without a list (the offscreen driver) offers the common sizes.
CDirect3D8::CDirect3D8()
{
    int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; i++) {
        SDL_DisplayMode sdlMode;
        if (SDL_GetDisplayMode(0, i, &sdlMode) != 0 || sdlMode.w <= 0 || sdlMode.h <= 0)
            continue;
        D3DDISPLAYMODE mode;
        mode.Width = (UINT)sdlMode.w;
        mode.Height = (UINT)sdlMode.h;
        mode.RefreshRate = (UINT)sdlMode.refresh_rate;
        mode.Format = FormatOfSDLMode(sdlMode);
        bool known = false;
        for (const D3DDISPLAYMODE& other : modes) {
            if (other.Width == mode.Width && other.Height == mode.Height && other.Format == mode.Format &&
                other.RefreshRate == mode.RefreshRate)
                known = true;
        }
        if (!known)
            modes.push_back(mode);
    }
    if (modes.empty()) {
        static const UINT sizes[3][2] = {{640, 480}, {800, 600}, {1024, 768}};
        for (const UINT* size : sizes) {
            D3DDISPLAYMODE mode = {size[0], size[1], 60, D3DFMT_X8R8G8B8};
            modes.push_back(mode);
        }
    }
}

UINT CDirect3D8::GetAdapterCount()
{
    return 1;
}

HRESULT CDirect3D8::GetAdapterIdentifier(UINT adapter, DWORD, D3DADAPTER_IDENTIFIER8* identifier)
{
    if (adapter != 0 || !identifier)
        return D3DERR_INVALIDCALL;
    memset(identifier, 0, sizeof(*identifier));
    const char* renderer = (const char*)glGetString(GL_RENDERER);
    snprintf(identifier->Driver, sizeof(identifier->Driver), "OpenGL");
    snprintf(identifier->Description, sizeof(identifier->Description), "%s",
             renderer ? renderer : "OpenGL fixed-function device");
    return D3D_OK;
}

UINT CDirect3D8::GetAdapterModeCount(UINT adapter)
{
    return adapter == 0 ? (UINT)modes.size() : 0;
}

HRESULT CDirect3D8::EnumAdapterModes(UINT adapter, UINT mode, D3DDISPLAYMODE* displayMode)
{
    if (adapter != 0 || !displayMode || mode >= modes.size())
        return D3DERR_INVALIDCALL;
    *displayMode = modes[mode];
    return D3D_OK;
}

HRESULT CDirect3D8::GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* displayMode)
{
    if (adapter != 0 || !displayMode)
        return D3DERR_INVALIDCALL;
    SDL_DisplayMode sdlMode;
    if (SDL_GetDesktopDisplayMode(0, &sdlMode) != 0 || sdlMode.w <= 0 || sdlMode.h <= 0) {
        *displayMode = modes.back();
        return D3D_OK;
    }
    displayMode->Width = (UINT)sdlMode.w;
    displayMode->Height = (UINT)sdlMode.h;
    displayMode->RefreshRate = (UINT)sdlMode.refresh_rate;
    displayMode->Format = FormatOfSDLMode(sdlMode);
    return D3D_OK;
}

HRESULT CDirect3D8::CheckDeviceType(UINT adapter, D3DDEVTYPE, D3DFORMAT displayFormat, D3DFORMAT backBufferFormat,
                                    BOOL)
{
    if (adapter != 0)
        return D3DERR_INVALIDCALL;
    if (!IsDisplayFormat(displayFormat) || !IsDisplayFormat(backBufferFormat))
        return D3DERR_NOTAVAILABLE;
    return D3D_OK;
}

HRESULT CDirect3D8::CheckDeviceFormat(UINT adapter, D3DDEVTYPE, D3DFORMAT, DWORD usage, D3DRESOURCETYPE,
                                      D3DFORMAT checkFormat)
{
    if (adapter != 0)
        return D3DERR_INVALIDCALL;
    if (usage & D3DUSAGE_DEPTHSTENCIL)
        return PixelFormatIsDepth(checkFormat) ? D3D_OK : D3DERR_NOTAVAILABLE;
    return PixelFormatBytes(checkFormat) > 0 ? D3D_OK : D3DERR_NOTAVAILABLE;
}

HRESULT CDirect3D8::CheckDeviceMultiSampleType(UINT adapter, D3DDEVTYPE, D3DFORMAT, BOOL,
                                               D3DMULTISAMPLE_TYPE multiSampleType)
{
    if (adapter != 0)
        return D3DERR_INVALIDCALL;
    return multiSampleType == D3DMULTISAMPLE_NONE ? D3D_OK : D3DERR_NOTAVAILABLE;
}

HRESULT CDirect3D8::CheckDepthStencilMatch(UINT adapter, D3DDEVTYPE, D3DFORMAT, D3DFORMAT,
                                           D3DFORMAT depthStencilFormat)
{
    if (adapter != 0)
        return D3DERR_INVALIDCALL;
    return PixelFormatIsDepth(depthStencilFormat) ? D3D_OK : D3DERR_NOTAVAILABLE;
}

HRESULT CDirect3D8::GetDeviceCaps(UINT adapter, D3DDEVTYPE deviceType, D3DCAPS8* caps)
{
    if (adapter != 0 || !caps)
        return D3DERR_INVALIDCALL;
    memset(caps, 0, sizeof(*caps));
    caps->DeviceType = deviceType;
    caps->AdapterOrdinal = adapter;
    caps->Caps2 = D3DCAPS2_CANRENDERWINDOWED | D3DCAPS2_DYNAMICTEXTURES;
    caps->PresentationIntervals = D3DPRESENT_INTERVAL_ONE | D3DPRESENT_INTERVAL_IMMEDIATE;
    caps->DevCaps = D3DDEVCAPS_EXECUTESYSTEMMEMORY | D3DDEVCAPS_TLVERTEXSYSTEMMEMORY | D3DDEVCAPS_TEXTUREVIDEOMEMORY |
                    D3DDEVCAPS_DRAWPRIMTLVERTEX | D3DDEVCAPS_CANRENDERAFTERFLIP | D3DDEVCAPS_DRAWPRIMITIVES2 |
                    D3DDEVCAPS_DRAWPRIMITIVES2EX | D3DDEVCAPS_HWTRANSFORMANDLIGHT | D3DDEVCAPS_HWRASTERIZATION;
    caps->PrimitiveMiscCaps = D3DPMISCCAPS_MASKZ | D3DPMISCCAPS_CULLNONE | D3DPMISCCAPS_CULLCW |
                              D3DPMISCCAPS_CULLCCW | D3DPMISCCAPS_COLORWRITEENABLE | D3DPMISCCAPS_BLENDOP;
    caps->RasterCaps = D3DPRASTERCAPS_DITHER | D3DPRASTERCAPS_ZTEST | D3DPRASTERCAPS_FOGVERTEX |
                       D3DPRASTERCAPS_FOGTABLE | D3DPRASTERCAPS_MIPMAPLODBIAS;
    caps->ZCmpCaps = 0xFF;
    caps->AlphaCmpCaps = 0xFF;
    caps->SrcBlendCaps = 0x7FF;
    caps->DestBlendCaps = 0x7FF;
    caps->ShadeCaps = D3DPSHADECAPS_COLORGOURAUDRGB | D3DPSHADECAPS_ALPHAGOURAUDBLEND | D3DPSHADECAPS_FOGGOURAUD;
    caps->TextureCaps = D3DPTEXTURECAPS_PERSPECTIVE | D3DPTEXTURECAPS_ALPHA | D3DPTEXTURECAPS_PROJECTED |
                        D3DPTEXTURECAPS_CUBEMAP | D3DPTEXTURECAPS_MIPMAP | D3DPTEXTURECAPS_MIPCUBEMAP;
    DWORD filters = D3DPTFILTERCAPS_MINFPOINT | D3DPTFILTERCAPS_MINFLINEAR | D3DPTFILTERCAPS_MIPFPOINT |
                    D3DPTFILTERCAPS_MIPFLINEAR | D3DPTFILTERCAPS_MAGFPOINT | D3DPTFILTERCAPS_MAGFLINEAR;
    caps->TextureFilterCaps = filters;
    caps->CubeTextureFilterCaps = filters;
    caps->TextureAddressCaps = D3DPTADDRESSCAPS_WRAP | D3DPTADDRESSCAPS_MIRROR | D3DPTADDRESSCAPS_CLAMP |
                               D3DPTADDRESSCAPS_BORDER;
    caps->MaxTextureWidth = 4096;
    caps->MaxTextureHeight = 4096;
    caps->MaxTextureRepeat = 8192;
    caps->MaxTextureAspectRatio = 4096;
    caps->MaxAnisotropy = 1;
    caps->MaxVertexW = 1.0e10f;
    caps->StencilCaps = 0xFF;
    caps->FVFCaps = DEVICE_STAGES;
    caps->TextureOpCaps = D3DTEXOPCAPS_DISABLE | D3DTEXOPCAPS_SELECTARG1 | D3DTEXOPCAPS_SELECTARG2 |
                          D3DTEXOPCAPS_MODULATE | D3DTEXOPCAPS_MODULATE2X | D3DTEXOPCAPS_MODULATE4X |
                          D3DTEXOPCAPS_ADD | D3DTEXOPCAPS_ADDSIGNED | D3DTEXOPCAPS_SUBTRACT |
                          D3DTEXOPCAPS_BLENDDIFFUSEALPHA | D3DTEXOPCAPS_BLENDTEXTUREALPHA |
                          D3DTEXOPCAPS_BLENDFACTORALPHA | D3DTEXOPCAPS_BLENDCURRENTALPHA | D3DTEXOPCAPS_DOTPRODUCT3;
    caps->MaxTextureBlendStages = DEVICE_GL_STAGES;
    caps->MaxSimultaneousTextures = DEVICE_GL_STAGES;
    caps->VertexProcessingCaps = D3DVTXPCAPS_TEXGEN | D3DVTXPCAPS_MATERIALSOURCE7 | D3DVTXPCAPS_DIRECTIONALLIGHTS |
                                 D3DVTXPCAPS_POSITIONALLIGHTS | D3DVTXPCAPS_LOCALVIEWER;
    caps->MaxActiveLights = DEVICE_GL_LIGHTS;
    caps->MaxPointSize = 64.0f;
    caps->MaxPrimitiveCount = 0xFFFFF;
    caps->MaxVertexIndex = 0xFFFFFF;
    caps->MaxStreams = 1;
    caps->MaxStreamStride = 256;
    return D3D_OK;
}

HRESULT CDirect3D8::CreateDevice(UINT adapter, D3DDEVTYPE deviceType, HWND focusWindow, DWORD behaviorFlags,
                                 D3DPRESENT_PARAMETERS* presentationParameters,
                                 IDirect3DDevice8** returnedDeviceInterface)
{
    if (adapter != 0)
        return D3DERR_INVALIDCALL;
    return CDirect3DDevice8::Create(this, adapter, deviceType, focusWindow, behaviorFlags, presentationParameters,
                                    returnedDeviceInterface);
}

IDirect3D8* WINAPI Direct3DCreate8(UINT sdkVersion)
{
    if (sdkVersion != D3D_SDK_VERSION || !Win32StartVideo())
        return nullptr;
    return new CDirect3D8();
}
