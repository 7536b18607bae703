// Device lifecycle, resources, render targets and presentation.
#include "CDirect3DDevice8.h"

#include "D3D8Helpers.h"

#include "CD3D8CubeTexture.h"
#include "CD3D8IndexBuffer.h"
#include "CD3D8Texture.h"
#include "CD3D8VertexBuffer.h"
#include "PixelFormats.h"
#include "PngWriter.h"
#include "Win32Internal.h"

CDirect3DDevice8::CDirect3DDevice8(IDirect3D8* d3d_, HWND window_, SDL_GLContext context_)
    : d3d(d3d_), window(window_), context(context_), backBuffer(nullptr), autoDepthStencil(nullptr),
      renderTarget(nullptr), depthStencil(nullptr), targetFramebuffer(0), presentFramebuffer(0), whiteTexture(0),
      nextStateBlock(1), inScene(false), renderStatesDirty(true), transformsDirty(true), projectionDirty(true),
      stagesDirty(true),
      lastPretransformed(-1), lightsDirty(true), materialDirty(true), lightingEnabled(-1), colorMaterial(0),
      fogEnabled(-1), blendEnabled(-1), clientArrays(0), appliedDeletions(0), magnifiedStages(0)
{
    memset(&presentParameters, 0, sizeof(presentParameters));
    memset(&creationParameters, 0, sizeof(creationParameters));
    memset(samplers, 0, sizeof(samplers));
    memset(appliedStages, 0, sizeof(appliedStages));
    memset(state.textures, 0, sizeof(state.textures));
    state.streamSource = nullptr;
    state.indices = nullptr;
    d3d->AddRef();
}

HRESULT CDirect3DDevice8::Create(IDirect3D8* d3d, UINT adapter, D3DDEVTYPE deviceType, HWND focusWindow,
                                 DWORD behaviorFlags, D3DPRESENT_PARAMETERS* parameters, IDirect3DDevice8** out)
{
    if (!out || !parameters)
        return D3DERR_INVALIDCALL;
    *out = nullptr;
    HWND target = parameters->hDeviceWindow ? parameters->hDeviceWindow : focusWindow;
    HWND__* window = Win32LookupWindow(target);
    if (!window)
        return D3DERR_INVALIDCALL;
    SDL_GLContext context = SDL_GL_CreateContext(window->sdlWindow);
    if (!context)
        return D3DERR_NOTAVAILABLE;
    SDL_GL_MakeCurrent(window->sdlWindow, context);

    CDirect3DDevice8* device = new CDirect3DDevice8(d3d, target, context);
    device->creationParameters.AdapterOrdinal = adapter;
    device->creationParameters.DeviceType = deviceType;
    device->creationParameters.hFocusWindow = focusWindow;
    device->creationParameters.BehaviorFlags = behaviorFlags;

    glCreateFramebuffers(1, &device->targetFramebuffer);
    glCreateFramebuffers(1, &device->presentFramebuffer);
    glGenSamplers(DEVICE_GL_STAGES, device->samplers);
    // Stages without a texture read opaque white.
    static const BYTE white[4] = {255, 255, 255, 255};
    glCreateTextures(GL_TEXTURE_2D, 1, &device->whiteTexture);
    glTextureStorage2D(device->whiteTexture, 1, GL_RGBA8, 1, 1);
    glTextureSubImage2D(device->whiteTexture, 0, 0, 0, 1, 1, GL_BGRA, GL_UNSIGNED_BYTE, white);

    glEnable(GL_TEXTURE_CUBE_MAP_SEAMLESS);
    glProvokingVertex(GL_FIRST_VERTEX_CONVENTION);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);

    HRESULT result = device->CreateSwapChain(parameters);
    if (FAILED(result)) {
        device->Release();
        return result;
    }
    *out = device;
    return D3D_OK;
}

CDirect3DDevice8::~CDirect3DDevice8()
{
    MakeCurrent();
    for (std::map<DWORD, DeviceState*>::iterator it = stateBlocks.begin(); it != stateBlocks.end(); ++it) {
        ReleaseState(*it->second);
        delete it->second;
    }
    ReleaseState(state);
    ReleaseSwapChain();
    glDeleteFramebuffers(1, &targetFramebuffer);
    glDeleteFramebuffers(1, &presentFramebuffer);
    glDeleteSamplers(DEVICE_GL_STAGES, samplers);
    glDeleteTextures(1, &whiteTexture);
    SDL_GL_MakeCurrent(nullptr, nullptr);
    SDL_GL_DeleteContext(context);
    d3d->Release();
}

void CDirect3DDevice8::MakeCurrent()
{
    HWND__* handle = Win32LookupWindow(window);
    if (handle && SDL_GL_GetCurrentContext() != context)
        SDL_GL_MakeCurrent(handle->sdlWindow, context);
}

// Makes the back buffer and the automatic depth-stencil buffer, sized by the
// parameters or, when they leave it open, by the window's client area.
HRESULT CDirect3DDevice8::CreateSwapChain(D3DPRESENT_PARAMETERS* parameters)
{
    HWND__* handle = Win32LookupWindow(window);
    if (!handle)
        return D3DERR_INVALIDCALL;
    if (parameters->BackBufferWidth == 0)
        parameters->BackBufferWidth = (UINT)handle->width;
    if (parameters->BackBufferHeight == 0)
        parameters->BackBufferHeight = (UINT)handle->height;
    if (parameters->BackBufferFormat == D3DFMT_UNKNOWN)
        parameters->BackBufferFormat = D3DFMT_X8R8G8B8;
    if (parameters->BackBufferCount == 0)
        parameters->BackBufferCount = 1;
    if (PixelFormatBytes(parameters->BackBufferFormat) == 0 ||
        (parameters->EnableAutoDepthStencil && !PixelFormatIsDepth(parameters->AutoDepthStencilFormat)))
        return D3DERR_INVALIDCALL;

    backBuffer = CD3D8Surface::CreateColor(this, parameters->BackBufferWidth, parameters->BackBufferHeight,
                                           parameters->BackBufferFormat, D3DUSAGE_RENDERTARGET, D3DPOOL_DEFAULT);
    if (!backBuffer)
        return D3DERR_OUTOFVIDEOMEMORY;
    if (parameters->EnableAutoDepthStencil) {
        autoDepthStencil = CD3D8Surface::CreateDepthStencil(this, parameters->BackBufferWidth,
                                                            parameters->BackBufferHeight,
                                                            parameters->AutoDepthStencilFormat);
        if (!autoDepthStencil)
            return D3DERR_OUTOFVIDEOMEMORY;
    }
    glNamedFramebufferTexture(presentFramebuffer, GL_COLOR_ATTACHMENT0, backBuffer->GetStorage()->GetName(), 0);
    presentParameters = *parameters;

    if (!Win32IsHeadless()) {
        SDL_SetWindowFullscreen(handle->sdlWindow, parameters->Windowed ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
        bool immediate = parameters->FullScreen_PresentationInterval == (UINT)D3DPRESENT_INTERVAL_IMMEDIATE;
        SDL_GL_SetSwapInterval(immediate ? 0 : 1);
    }

    ResetState();
    return SetRenderTarget(backBuffer, autoDepthStencil);
}

void CDirect3DDevice8::ReleaseSwapChain()
{
    if (renderTarget)
        renderTarget->Release();
    if (depthStencil)
        depthStencil->Release();
    renderTarget = nullptr;
    depthStencil = nullptr;
    if (backBuffer)
        backBuffer->Release();
    if (autoDepthStencil)
        autoDepthStencil->Release();
    backBuffer = nullptr;
    autoDepthStencil = nullptr;
}

HRESULT CDirect3DDevice8::TestCooperativeLevel()
{
    return D3D_OK;
}

UINT CDirect3DDevice8::GetAvailableTextureMem()
{
    return 256u * 1024u * 1024u;
}

HRESULT CDirect3DDevice8::GetDirect3D(IDirect3D8** out)
{
    if (!out)
        return D3DERR_INVALIDCALL;
    d3d->AddRef();
    *out = d3d;
    return D3D_OK;
}

HRESULT CDirect3DDevice8::GetDeviceCaps(D3DCAPS8* caps)
{
    return d3d->GetDeviceCaps(creationParameters.AdapterOrdinal, creationParameters.DeviceType, caps);
}

HRESULT CDirect3DDevice8::GetDisplayMode(D3DDISPLAYMODE* mode)
{
    if (!mode)
        return D3DERR_INVALIDCALL;
    if (!presentParameters.Windowed) {
        mode->Width = presentParameters.BackBufferWidth;
        mode->Height = presentParameters.BackBufferHeight;
        mode->RefreshRate = 0;
        mode->Format = presentParameters.BackBufferFormat;
        return D3D_OK;
    }
    return d3d->GetAdapterDisplayMode(creationParameters.AdapterOrdinal, mode);
}

HRESULT CDirect3DDevice8::GetCreationParameters(D3DDEVICE_CREATION_PARAMETERS* parameters)
{
    if (!parameters)
        return D3DERR_INVALIDCALL;
    *parameters = creationParameters;
    return D3D_OK;
}

BOOL CDirect3DDevice8::ShowCursor(BOOL show)
{
    int previous = SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
    return previous == SDL_ENABLE;
}

// Makes a new back buffer (and depth-stencil buffer) and returns every state
// to its default; textures and buffers live on. The window keeps its size:
// Present scales the back buffer to it.
HRESULT CDirect3DDevice8::Reset(D3DPRESENT_PARAMETERS* parameters)
{
    if (!parameters)
        return D3DERR_INVALIDCALL;
    MakeCurrent();
    ReleaseSwapChain();
    return CreateSwapChain(parameters);
}

// Copies the back buffer to the window, turned the right way up and scaled
// to the window. Headless there is nothing to show; the back buffer keeps
// its pixels for screenshots either way.
HRESULT CDirect3DDevice8::Present(const RECT*, const RECT*, HWND, const void*)
{
    HWND__* handle = Win32LookupWindow(window);
    if (!handle || !backBuffer)
        return D3DERR_INVALIDCALL;
    MakeCurrent();
    if (Win32IsHeadless()) {
        glFlush();
        return D3D_OK;
    }
    int width = 0;
    int height = 0;
    SDL_GL_GetDrawableSize(handle->sdlWindow, &width, &height);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, presentFramebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    GLint sourceWidth = (GLint)backBuffer->GetWidth();
    GLint sourceHeight = (GLint)backBuffer->GetHeight();
    GLenum filter = (sourceWidth == width && sourceHeight == height) ? GL_NEAREST : GL_LINEAR;
    glBlitFramebuffer(0, 0, sourceWidth, sourceHeight, 0, height, width, 0, GL_COLOR_BUFFER_BIT, filter);
    SDL_GL_SwapWindow(handle->sdlWindow);
    glBindFramebuffer(GL_FRAMEBUFFER, targetFramebuffer);
    renderStatesDirty = true;
    return D3D_OK;
}

HRESULT CDirect3DDevice8::GetBackBuffer(UINT index, D3DBACKBUFFER_TYPE, IDirect3DSurface8** out)
{
    if (!out || index != 0 || !backBuffer)
        return D3DERR_INVALIDCALL;
    backBuffer->AddRef();
    *out = backBuffer;
    return D3D_OK;
}

HRESULT CDirect3DDevice8::CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                                        D3DPOOL pool, IDirect3DTexture8** texture)
{
    if (!texture)
        return D3DERR_INVALIDCALL;
    MakeCurrent();
    *texture = CD3D8Texture::Create(this, width, height, levels, usage, format, pool);
    return *texture ? D3D_OK : D3DERR_INVALIDCALL;
}

HRESULT CDirect3DDevice8::CreateCubeTexture(UINT edgeLength, UINT levels, DWORD usage, D3DFORMAT format,
                                            D3DPOOL pool, IDirect3DCubeTexture8** cubeTexture)
{
    if (!cubeTexture)
        return D3DERR_INVALIDCALL;
    MakeCurrent();
    *cubeTexture = CD3D8CubeTexture::Create(this, edgeLength, levels, usage, format, pool);
    return *cubeTexture ? D3D_OK : D3DERR_INVALIDCALL;
}

HRESULT CDirect3DDevice8::CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
                                             IDirect3DVertexBuffer8** vertexBuffer)
{
    if (!vertexBuffer)
        return D3DERR_INVALIDCALL;
    *vertexBuffer = nullptr;
    if (length == 0)
        return D3DERR_INVALIDCALL;
    *vertexBuffer = new CD3D8VertexBuffer(this, length, usage, fvf, pool);
    return D3D_OK;
}

HRESULT CDirect3DDevice8::CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                            IDirect3DIndexBuffer8** indexBuffer)
{
    if (!indexBuffer)
        return D3DERR_INVALIDCALL;
    *indexBuffer = nullptr;
    if (length == 0 || (format != D3DFMT_INDEX16 && format != D3DFMT_INDEX32))
        return D3DERR_INVALIDCALL;
    *indexBuffer = new CD3D8IndexBuffer(this, length, usage, format, pool);
    return D3D_OK;
}

HRESULT CDirect3DDevice8::CreateRenderTarget(UINT width, UINT height, D3DFORMAT format, D3DMULTISAMPLE_TYPE, BOOL,
                                             IDirect3DSurface8** surface)
{
    if (!surface)
        return D3DERR_INVALIDCALL;
    MakeCurrent();
    *surface = CD3D8Surface::CreateColor(this, width, height, format, D3DUSAGE_RENDERTARGET, D3DPOOL_DEFAULT);
    return *surface ? D3D_OK : D3DERR_INVALIDCALL;
}

HRESULT CDirect3DDevice8::CreateDepthStencilSurface(UINT width, UINT height, D3DFORMAT format, D3DMULTISAMPLE_TYPE,
                                                    IDirect3DSurface8** surface)
{
    if (!surface)
        return D3DERR_INVALIDCALL;
    *surface = nullptr;
    if (!PixelFormatIsDepth(format))
        return D3DERR_INVALIDCALL;
    MakeCurrent();
    *surface = CD3D8Surface::CreateDepthStencil(this, width, height, format);
    return *surface ? D3D_OK : D3DERR_INVALIDCALL;
}

HRESULT CDirect3DDevice8::CreateImageSurface(UINT width, UINT height, D3DFORMAT format, IDirect3DSurface8** surface)
{
    if (!surface)
        return D3DERR_INVALIDCALL;
    MakeCurrent();
    *surface = CD3D8Surface::CreateColor(this, width, height, format, 0, D3DPOOL_SYSTEMMEM);
    return *surface ? D3D_OK : D3DERR_INVALIDCALL;
}

// Copies rectangles between colour surfaces of the same format.
HRESULT CDirect3DDevice8::CopyRects(IDirect3DSurface8* sourceSurface, const RECT* sourceRects, UINT rectCount,
                                    IDirect3DSurface8* destinationSurface, const POINT* destPoints)
{
    CD3D8Surface* source = static_cast<CD3D8Surface*>(sourceSurface);
    CD3D8Surface* destination = static_cast<CD3D8Surface*>(destinationSurface);
    if (!source || !destination || source->IsDepthStencil() || destination->IsDepthStencil() ||
        source->GetStorage()->GetFormat() != destination->GetStorage()->GetFormat())
        return D3DERR_INVALIDCALL;
    MakeCurrent();
    RECT whole = {0, 0, (LONG)source->GetWidth(), (LONG)source->GetHeight()};
    if (!sourceRects) {
        sourceRects = &whole;
        rectCount = 1;
    }
    UINT pixelBytes = PixelFormatBytes(source->GetStorage()->GetFormat());
    D3DLOCKED_RECT from;
    D3DLOCKED_RECT to;
    if (FAILED(source->LockRect(&from, nullptr, D3DLOCK_READONLY)))
        return D3DERR_INVALIDCALL;
    if (FAILED(destination->LockRect(&to, nullptr, 0))) {
        source->UnlockRect();
        return D3DERR_INVALIDCALL;
    }
    HRESULT result = D3D_OK;
    for (UINT i = 0; i < rectCount; i++) {
        const RECT& r = sourceRects[i];
        LONG x = destPoints ? destPoints[i].x : r.left;
        LONG y = destPoints ? destPoints[i].y : r.top;
        LONG w = r.right - r.left;
        LONG h = r.bottom - r.top;
        if (r.left < 0 || r.top < 0 || w <= 0 || h <= 0 || (UINT)r.right > source->GetWidth() ||
            (UINT)r.bottom > source->GetHeight() || x < 0 || y < 0 || (UINT)(x + w) > destination->GetWidth() ||
            (UINT)(y + h) > destination->GetHeight()) {
            result = D3DERR_INVALIDCALL;
            continue;
        }
        for (LONG row = 0; row < h; row++) {
            const BYTE* in = (const BYTE*)from.pBits + (r.top + row) * from.Pitch + r.left * pixelBytes;
            BYTE* out = (BYTE*)to.pBits + (y + row) * to.Pitch + x * pixelBytes;
            memcpy(out, in, w * pixelBytes);
        }
    }
    destination->UnlockRect();
    source->UnlockRect();
    return result;
}

// Binds colour and depth-stencil surfaces as the target of drawing. A null
// colour target keeps the current one; a null depth-stencil draws without
// one. The viewport becomes the whole target.
HRESULT CDirect3DDevice8::SetRenderTarget(IDirect3DSurface8* newTarget, IDirect3DSurface8* newZStencil)
{
    CD3D8Surface* color = newTarget ? static_cast<CD3D8Surface*>(newTarget) : renderTarget;
    CD3D8Surface* depth = static_cast<CD3D8Surface*>(newZStencil);
    if (!color || color->IsDepthStencil() || !color->GetStorage() || (depth && !depth->IsDepthStencil()))
        return D3DERR_INVALIDCALL;
    MakeCurrent();
    color->AddRef();
    if (depth)
        depth->AddRef();
    if (renderTarget)
        renderTarget->Release();
    if (depthStencil)
        depthStencil->Release();
    renderTarget = color;
    depthStencil = depth;

    CTextureStorage* storage = color->GetStorage();
    if (storage->GetFaceCount() == 6)
        glNamedFramebufferTextureLayer(targetFramebuffer, GL_COLOR_ATTACHMENT0, storage->GetName(),
                                       (GLint)color->GetLevel(), (GLint)color->GetFace());
    else
        glNamedFramebufferTexture(targetFramebuffer, GL_COLOR_ATTACHMENT0, storage->GetName(),
                                  (GLint)color->GetLevel());
    glNamedFramebufferRenderbuffer(targetFramebuffer, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                                   depth ? depth->GetRenderbuffer() : 0);
    glBindFramebuffer(GL_FRAMEBUFFER, targetFramebuffer);
    if (glCheckNamedFramebufferStatus(targetFramebuffer, GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE)
        return D3DERR_INVALIDCALL;
    FullViewport();
    renderStatesDirty = true;
    return D3D_OK;
}

HRESULT CDirect3DDevice8::GetRenderTarget(IDirect3DSurface8** out)
{
    if (!out || !renderTarget)
        return D3DERR_INVALIDCALL;
    renderTarget->AddRef();
    *out = renderTarget;
    return D3D_OK;
}

HRESULT CDirect3DDevice8::GetDepthStencilSurface(IDirect3DSurface8** out)
{
    if (!out)
        return D3DERR_INVALIDCALL;
    *out = nullptr;
    if (!depthStencil)
        return D3DERR_NOTFOUND;
    depthStencil->AddRef();
    *out = depthStencil;
    return D3D_OK;
}

HRESULT CDirect3DDevice8::BeginScene()
{
    if (inScene)
        return D3DERR_INVALIDCALL;
    MakeCurrent();
    inScene = true;
    return D3D_OK;
}

HRESULT CDirect3DDevice8::EndScene()
{
    if (!inScene)
        return D3DERR_INVALIDCALL;
    inScene = false;
    return D3D_OK;
}

// Clears the target, depth and stencil inside the viewport (and the given
// rectangles), whatever the write masks of the render states say.
HRESULT CDirect3DDevice8::Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z,
                                DWORD stencil)
{
    if (!renderTarget)
        return D3DERR_INVALIDCALL; // a failed Reset left nothing to draw into
    MakeCurrent();
    GLbitfield mask = 0;
    if (flags & D3DCLEAR_TARGET) {
        mask |= GL_COLOR_BUFFER_BIT;
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        float rgba[4];
        ColorToFloats(color, rgba);
        glClearColor(rgba[0], rgba[1], rgba[2], rgba[3]);
    }
    if ((flags & D3DCLEAR_ZBUFFER) && depthStencil) {
        mask |= GL_DEPTH_BUFFER_BIT;
        glDepthMask(GL_TRUE);
        glClearDepth(z);
    }
    if ((flags & D3DCLEAR_STENCIL) && depthStencil) {
        mask |= GL_STENCIL_BUFFER_BIT;
        glStencilMask(0xFF);
        glClearStencil((GLint)(stencil & 0xFF));
    }
    if (mask == 0)
        return flags ? D3DERR_INVALIDCALL : D3D_OK;

    const D3DVIEWPORT8& view = state.viewport;
    glEnable(GL_SCISSOR_TEST);
    if (count == 0 || !rects) {
        glScissor((GLint)view.X, (GLint)view.Y, (GLsizei)view.Width, (GLsizei)view.Height);
        glClear(mask);
    } else {
        for (DWORD i = 0; i < count; i++) {
            LONG x1 = rects[i].x1 > (LONG)view.X ? rects[i].x1 : (LONG)view.X;
            LONG y1 = rects[i].y1 > (LONG)view.Y ? rects[i].y1 : (LONG)view.Y;
            LONG x2 = rects[i].x2 < (LONG)(view.X + view.Width) ? rects[i].x2 : (LONG)(view.X + view.Width);
            LONG y2 = rects[i].y2 < (LONG)(view.Y + view.Height) ? rects[i].y2 : (LONG)(view.Y + view.Height);
            if (x2 <= x1 || y2 <= y1)
                continue;
            glScissor(x1, y1, x2 - x1, y2 - y1);
            glClear(mask);
        }
    }
    glDisable(GL_SCISSOR_TEST);
    if (mask & GL_COLOR_BUFFER_BIT)
        renderTarget->MarkDrawn();
    renderStatesDirty = true;
    return D3D_OK;
}

HRESULT CDirect3DDevice8::SaveBackBufferPNG(const char* fileName)
{
    if (!fileName || !backBuffer)
        return E_FAIL;
    MakeCurrent();
    D3DLOCKED_RECT locked;
    if (FAILED(backBuffer->LockRect(&locked, nullptr, D3DLOCK_READONLY)))
        return E_FAIL;
    UINT width = backBuffer->GetWidth();
    UINT height = backBuffer->GetHeight();
    std::vector<BYTE> bgra(width * height * 4);
    for (UINT row = 0; row < height; row++)
        PixelsToBGRA(backBuffer->GetStorage()->GetFormat(), (const BYTE*)locked.pBits + row * locked.Pitch,
                     bgra.data() + row * width * 4, width);
    backBuffer->UnlockRect();
    return WritePNG(fileName, bgra.data(), width, height) ? D3D_OK : E_FAIL;
}

HRESULT D3D8SaveBackBufferPNG(IDirect3DDevice8* device, const char* fileName)
{
    if (!device)
        return E_FAIL;
    return static_cast<CDirect3DDevice8*>(device)->SaveBackBufferPNG(fileName);
}
