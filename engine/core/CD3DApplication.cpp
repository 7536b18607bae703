#include "CD3DApplication.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "CResourceManager.h"
#include "CObjQueue.h"
#include "CInputManager.h"
#include "CMouse.h"
#include "CSoundDev.h"
#include "CMessageLog.h"
#include "CTexMgr.h"
#include "CXObjectLoader.h"
#include "CCamera.h"
#include "CInputScript.h"

CD3DApplication* g_pD3DApp = nullptr;

static const char* const WINDOW_CLASS = "ZarulD3DWindow";
// Longest frame time handed to FrameMove: a stall (loading, a dragged window)
// must not throw the scene forward.
static const float MAX_FRAME_SECONDS = 0.25f;

CD3DApplication::CD3DApplication()
    : d3d(nullptr), device(nullptr), hWnd(nullptr), hInstance(nullptr), renderEffects(0), active(1), ready(0),
      windowTitle("D3D Application"), creationWidth(640), creationHeight(480),
      useDepthBuffer(0), useStencilBuffer(0), settingsFile(".//display.cfg"),
      envMapRenderer(nullptr), envCubeTexture(nullptr), clearColor(0.0f, 0.0f, 0.0f, 0.0f),
      camera(nullptr), mouse(nullptr),
      headlessFrames(0), headlessStep(0.0f), inputScript(nullptr), frameCount(0), deviceLost(0),
      pendingReset(0), windowWidth(640), windowHeight(480), lastTicks(0), paused(0)
{
    memset(&backBufferDesc, 0, sizeof(backBufferDesc));
    memset(&presentParams, 0, sizeof(presentParams));
    memset(&caps, 0, sizeof(caps));
    memset(&material, 0, sizeof(material));
    adapter.dwCurrentDevice = 0;
    g_pD3DApp = this;
}

CD3DApplication::~CD3DApplication()
{
    delete inputScript;
    if (g_pD3DApp == this)
        g_pD3DApp = nullptr;
}

HRESULT CD3DApplication::AdjustWindowForChange()
{
    const D3DModeRecord* mode = CurrentMode();
    if (hWnd && (!mode || mode->windowed))
        SetWindowPos(hWnd, nullptr, 0, 0, windowWidth, windowHeight, SWP_NOMOVE | SWP_NOZORDER);
    return S_OK;
}

HRESULT CD3DApplication::ConfirmDevice(D3DCAPS8* deviceCaps, DWORD behavior, D3DFORMAT format)
{
    (void)deviceCaps;
    (void)behavior;
    (void)format;
    return S_OK;
}

HRESULT CD3DApplication::OneTimeSceneInit() { return S_OK; }
HRESULT CD3DApplication::InitDeviceObjects() { return S_OK; }
HRESULT CD3DApplication::RestoreDeviceObjects() { return S_OK; }
HRESULT CD3DApplication::PreRender() { return S_OK; }
void CD3DApplication::RenderAfterScene() {}
HRESULT CD3DApplication::InvalidateDeviceObjects() { return S_OK; }
HRESULT CD3DApplication::FinalCleanup() { return S_OK; }

void CD3DApplication::Pause(bool pause)
{
    paused = pause ? 1 : 0;
    lastTicks = timeGetTime();
}

HRESULT CD3DApplication::FrameMove(float seconds)
{
    CResourceManager::GetInputManager()->Flush();
    if (camera)
        camera->Move(seconds);
    if (CMouse::IsLive(mouse))
        mouse->SetScreenSize((int)backBufferDesc.Width, (int)backBufferDesc.Height);
    CResourceManager::GetObjectQueue()->MoveAll(seconds);
    CResourceManager::GetSoundDevice()->Update();
    return S_OK;
}

HRESULT CD3DApplication::Render()
{
    CObjQueue* queue = CResourceManager::GetObjectQueue();
    queue->RenderRange(INT_MIN, 3);
    RenderAfterScene();
    queue->RenderRange(4, INT_MAX);
    if (CMouse::IsLive(mouse))
        mouse->RenderCursor();
    return S_OK;
}

HRESULT CD3DApplication::DeleteDeviceObjects()
{
    // The pointer stays: a game's own clean-up after this call still takes its
    // listeners off the frame's mouse. It goes in ReleaseScene.
    CObjQueue* queue = CResourceManager::GetObjectQueue();
    queue->ReleaseAllObjects(CObjQueue::RELEASE_KEEP_MOUSE);
    queue->DeleteMarkedObjects();
    CResourceManager::GetXObjLoader()->DeleteAllObjects();
    CResourceManager::GetTextures()->ReleaseAllTextures();
    return S_OK;
}

// After DeleteDeviceObjects has run to its end: the rest of the scene, the
// pointer included, goes with the device.
void CD3DApplication::ReleaseScene()
{
    CObjQueue* queue = CResourceManager::GetObjectQueue();
    queue->ReleaseAllObjects(CObjQueue::RELEASE_EVERYTHING);
    queue->DeleteMarkedObjects();
    mouse = nullptr;
}

// ---------------------------------------------------------------------------
// Start-up
// ---------------------------------------------------------------------------

HRESULT CD3DApplication::Create(HINSTANCE instance)
{
    hInstance = instance;
    g_pD3DApp = this;
    ReadHeadlessEnvironment();

    d3d = Direct3DCreate8(D3D_SDK_VERSION);
    if (!d3d) {
        CResourceManager::MessageLog()->Message(0, "Direct3D cannot be started");
        return E_FAIL;
    }
    BuildAdapterRecord();
    LoadDisplaySettings();

    WNDCLASSA wc;
    memset(&wc, 0, sizeof(wc));
    wc.lpfnWndProc = StaticWndProc;
    wc.hInstance = instance;
    wc.lpszClassName = WINDOW_CLASS;
    RegisterClassA(&wc);   // fails harmlessly when a second frame registers it again

    hWnd = CreateWindowA(WINDOW_CLASS, windowTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                         windowWidth, windowHeight, nullptr, nullptr, instance, nullptr);
    if (!hWnd) {
        CResourceManager::MessageLog()->Message(0, "the main window cannot be opened");
        ReleaseDevice();
        return E_FAIL;
    }
    ShowWindow(hWnd, SW_SHOW);

    d3d->GetDeviceCaps(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, &caps);
    FillPresentParams();
    if (FAILED(ConfirmDevice(&caps, D3DCREATE_SOFTWARE_VERTEXPROCESSING, presentParams.BackBufferFormat))) {
        CResourceManager::MessageLog()->Message(0, "no device is good enough");
        ReleaseDevice();
        return E_FAIL;
    }
    if (FAILED(OneTimeSceneInit())) {
        ReleaseDevice();
        return E_FAIL;
    }
    // Snapshots of frame 0 show the window before the device draws into it.
    for (size_t i = 0; i < snapshots.size(); i++) {
        if (snapshots[i].first == 0)
            Win32SaveWindowPNG(hWnd, snapshots[i].second.c_str());
    }
    if (FAILED(InitDevice())) {
        ReleaseDevice();
        return E_FAIL;
    }
    ready = 1;
    lastTicks = timeGetTime();
    return S_OK;
}

// Makes the device and runs InitDeviceObjects and RestoreDeviceObjects.
HRESULT CD3DApplication::InitDevice()
{
    HRESULT hr = d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, hWnd, D3DCREATE_SOFTWARE_VERTEXPROCESSING,
                                   &presentParams, &device);
    if (FAILED(hr) || !device) {
        CResourceManager::MessageLog()->Message(0, "the Direct3D device cannot be made");
        device = nullptr;
        return E_FAIL;
    }
    device->GetDeviceCaps(&caps);
    ReadBackBufferDesc();
    CResourceManager::GetTextures()->SetDevice(device);
    CResourceManager::GetXObjLoader()->SetDevice(device);

    if (FAILED(InitDeviceObjects())) {
        CResourceManager::MessageLog()->Message(0, "the scene cannot be set up");
        return E_FAIL;
    }
    if (FAILED(RestoreDeviceObjects())) {
        CResourceManager::MessageLog()->Message(0, "the scene cannot be restored");
        return E_FAIL;
    }
    return S_OK;
}

void CD3DApplication::ReadBackBufferDesc()
{
    memset(&backBufferDesc, 0, sizeof(backBufferDesc));
    backBufferDesc.Format = presentParams.BackBufferFormat;
    backBufferDesc.Type = D3DRTYPE_SURFACE;
    backBufferDesc.Usage = D3DUSAGE_RENDERTARGET;
    backBufferDesc.Pool = D3DPOOL_DEFAULT;
    backBufferDesc.Width = presentParams.BackBufferWidth;
    backBufferDesc.Height = presentParams.BackBufferHeight;
    IDirect3DSurface8* backBuffer = nullptr;
    if (device && SUCCEEDED(device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &backBuffer)) && backBuffer) {
        backBuffer->GetDesc(&backBufferDesc);
        backBuffer->Release();
    }
    if (CMouse::IsLive(mouse))
        mouse->SetScreenSize((int)backBufferDesc.Width, (int)backBufferDesc.Height);
}

void CD3DApplication::FillPresentParams()
{
    const D3DModeRecord* mode = CurrentMode();
    memset(&presentParams, 0, sizeof(presentParams));
    bool windowed = !mode || mode->windowed;
    presentParams.BackBufferWidth = windowed ? (UINT)windowWidth : mode->Width;
    presentParams.BackBufferHeight = windowed ? (UINT)windowHeight : mode->Height;
    presentParams.BackBufferFormat = mode ? mode->Format : D3DFMT_X8R8G8B8;
    presentParams.BackBufferCount = 1;
    presentParams.MultiSampleType = D3DMULTISAMPLE_NONE;
    presentParams.SwapEffect = D3DSWAPEFFECT_DISCARD;
    presentParams.hDeviceWindow = hWnd;
    presentParams.Windowed = windowed ? TRUE : FALSE;
    // The scene needs depth and, for the shadows, stencil: always 24 + 8 bits.
    presentParams.EnableAutoDepthStencil = TRUE;
    presentParams.AutoDepthStencilFormat = D3DFMT_D24S8;
}

// The texture and mesh caches let go of what they made on the device first.
void CD3DApplication::DropDevice()
{
    if (!device)
        return;
    CResourceManager::GetTextures()->SetDevice(nullptr);
    CResourceManager::GetXObjLoader()->SetDevice(nullptr);
    device->Release();
    device = nullptr;
}

void CD3DApplication::ReleaseDevice()
{
    DropDevice();
    if (d3d) {
        d3d->Release();
        d3d = nullptr;
    }
    if (hWnd) {
        HWND window = hWnd;
        hWnd = nullptr;
        DestroyWindow(window);
    }
    ready = 0;
}

// ---------------------------------------------------------------------------
// The loop
// ---------------------------------------------------------------------------

INT CD3DApplication::Run()
{
    MSG msg;
    memset(&msg, 0, sizeof(msg));
    int quit = 0;
    int exitCode = 0;
    while (!quit) {
        // Scripted input of the coming frame joins the window's events.
        if (inputScript && hWnd)
            inputScript->Feed(frameCount + 1, hWnd);
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                quit = 1;
                exitCode = (int)msg.wParam;
                break;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (quit)
            break;
        if (!ready || !device) {
            // The window went away without WM_QUIT; nothing more to draw.
            break;
        }
        if (paused && headlessFrames == 0) {
            Sleep(10);
            continue;
        }
        Render3DEnvironment();
        if (headlessFrames > 0 && frameCount >= headlessFrames)
            break;
    }
    Shutdown();
    return exitCode;
}

void CD3DApplication::Shutdown()
{
    if (device) {
        InvalidateDeviceObjects();
        DeleteDeviceObjects();
        ReleaseScene();
    }
    FinalCleanup();
    ReleaseDevice();
}

float CD3DApplication::NextFrameTime()
{
    if (headlessStep > 0.0f)
        return headlessStep;
    DWORD now = timeGetTime();
    float seconds = (float)(now - lastTicks) / 1000.0f;
    lastTicks = now;
    if (seconds < 0.0f)
        seconds = 0.0f;
    if (seconds > MAX_FRAME_SECONDS)
        seconds = MAX_FRAME_SECONDS;
    return seconds;
}

void CD3DApplication::Render3DEnvironment()
{
    if (pendingReset) {
        pendingReset = 0;
        AdjustWindowForChange();
        ResetDevice();
    }
    if (!ready || !device)
        return;
    if (deviceLost) {
        HRESULT state = device->TestCooperativeLevel();
        if (state == D3DERR_DEVICELOST) {
            Sleep(50);
            return;
        }
        if (FAILED(ResetDevice()))
            return;
    }

    FrameMove(NextFrameTime());
    PreRender();
    Render();
    CResourceManager::GetObjectQueue()->DeleteMarkedObjects();
    frameCount++;

    for (size_t i = 0; i < snapshots.size(); i++) {
        if (snapshots[i].first == frameCount)
            D3D8SaveBackBufferPNG(device, snapshots[i].second.c_str());
    }
    if (device->Present(nullptr, nullptr, nullptr, nullptr) == D3DERR_DEVICELOST)
        deviceLost = 1;
}

// Drops what lives in device memory, resets the device with the current mode
// and builds it again.
HRESULT CD3DApplication::ResetDevice()
{
    InvalidateDeviceObjects();
    FillPresentParams();
    HRESULT hr = device->Reset(&presentParams);
    if (hr == D3DERR_DEVICELOST) {
        deviceLost = 1;
        return hr;
    }
    if (FAILED(hr))
        return RecreateDevice();
    deviceLost = 0;
    pendingReset = 0;
    ReadBackBufferDesc();
    hr = RestoreDeviceObjects();
    CResourceManager::GetObjectQueue()->RestoreAll();
    return hr;
}

// The device cannot take the new settings: everything made on it goes, and a
// new device is made and set up from the start.
HRESULT CD3DApplication::RecreateDevice()
{
    DeleteDeviceObjects();
    ReleaseScene();
    DropDevice();
    HRESULT hr = InitDevice();
    if (FAILED(hr)) {
        CResourceManager::MessageLog()->Message(0, "the display mode cannot be set");
        ready = 0;   // Run ends: there is no device to draw with
        return hr;
    }
    deviceLost = 0;
    pendingReset = 0;
    return S_OK;
}

LRESULT CALLBACK CD3DApplication::StaticWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (g_pD3DApp)
        return g_pD3DApp->MsgProc(window, msg, wParam, lParam);
    return DefWindowProcA(window, msg, wParam, lParam);
}

LRESULT CD3DApplication::MsgProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (CResourceManager::GetInputManager()->HandleMessage(msg, wParam, lParam))
        return 0;
    if (CMouse::IsLive(mouse)) {
        RECT client;
        GetClientRect(window, &client);
        if (mouse->HandleMessage(msg, wParam, lParam, client.right - client.left, client.bottom - client.top))
            return 0;
    }

    switch (msg) {
    case WM_ACTIVATE:
        active = LOWORD(wParam) != WA_INACTIVE ? 1 : 0;
        return 0;
    case WM_PAINT:
        ValidateRect(window, nullptr);
        return 0;
    case WM_SIZE:
        if (wParam == SIZE_MINIMIZED) {
            Pause(true);
        } else {
            if (paused)
                Pause(false);
            // A window that changed its size gets a back buffer of the new size.
            int width = LOWORD(lParam);
            int height = HIWORD(lParam);
            if (ready && presentParams.Windowed && width > 0 && height > 0 &&
                ((UINT)width != presentParams.BackBufferWidth || (UINT)height != presentParams.BackBufferHeight))
                ResizeWindowedMode(width, height);
        }
        return 0;
    case WM_CLOSE:
        PostQuitMessage(0);
        return 0;
    case WM_DESTROY:
        if (window == hWnd)
            PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, msg, wParam, lParam);
    }
}

// ---------------------------------------------------------------------------
// Render effects
// ---------------------------------------------------------------------------

int CD3DApplication::IsRenderEffectCapable(int effect)
{
    switch (effect) {
    case R_EFFECT_ENVMAP:
        return (caps.TextureCaps & D3DPTEXTURECAPS_CUBEMAP) && caps.MaxSimultaneousTextures >= 2;
    case R_EFFECT_SHADOW:
        return presentParams.AutoDepthStencilFormat == D3DFMT_D24S8 &&
               (caps.StencilCaps & D3DSTENCILCAPS_INCR) && (caps.StencilCaps & D3DSTENCILCAPS_DECR);
    case R_EFFECT_PARTICLES:
        return 1;
    default:
        return 0;
    }
}

void CD3DApplication::SetRenderEffects(BYTE effects)
{
    BYTE allowed = 0;
    if (IsRenderEffectCapable(R_EFFECT_ENVMAP))
        allowed |= R_EFFECT_ENVMAP;
    if (IsRenderEffectCapable(R_EFFECT_SHADOW))
        allowed |= R_EFFECT_SHADOW;
    if (IsRenderEffectCapable(R_EFFECT_PARTICLES))
        allowed |= R_EFFECT_PARTICLES;
    renderEffects = effects & allowed;
}

// ---------------------------------------------------------------------------
// Headless runs
// ---------------------------------------------------------------------------

void CD3DApplication::SetHeadlessRun(int frames, float timeStep)
{
    headlessFrames = frames > 0 ? frames : 0;
    headlessStep = timeStep > 0.0f ? timeStep : 0.0f;
}

void CD3DApplication::AddSnapshot(int frame, const char* pngPath)
{
    if (frame >= 0 && pngPath && pngPath[0])
        snapshots.push_back(std::make_pair(frame, std::string(pngPath)));
}

bool CD3DApplication::LoadInputScript(const char* path)
{
    delete inputScript;
    inputScript = new CInputScript();
    bool ok = inputScript->Load(path);
    const std::vector<std::string>& errors = inputScript->GetErrors();
    for (size_t i = 0; i < errors.size(); i++) {
        std::string line = std::string("input script ") + (path ? path : "") + ": " + errors[i];
        CResourceManager::MessageLog()->Message(0, line.c_str());
    }
    const std::vector<CInputScript::Command>& commands = inputScript->GetCommands();
    for (size_t i = 0; i < commands.size(); i++) {
        if (commands[i].kind == CInputScript::SNAPSHOT)
            AddSnapshot(commands[i].frame, commands[i].text.c_str());
    }
    return ok;
}

// ZARUL_FRAMES=n runs n frames; ZARUL_TIMESTEP=s fixes the frame time;
// ZARUL_SNAPSHOT=n:file.png saves frame n (0: the window before the first frame); ZARUL_INPUT=file feeds timed input.
void CD3DApplication::ReadHeadlessEnvironment()
{
    const char* frames = getenv("ZARUL_FRAMES");
    const char* step = getenv("ZARUL_TIMESTEP");
    const char* shot = getenv("ZARUL_SNAPSHOT");
    const char* input = getenv("ZARUL_INPUT");
    if (input && input[0])
        LoadInputScript(input);
    if (frames && atoi(frames) > 0)
        SetHeadlessRun(atoi(frames), step ? (float)atof(step) : 1.0f / 30.0f);
    if (shot) {
        const char* colon = strchr(shot, ':');
        if (colon)
            AddSnapshot(atoi(shot), colon + 1);
    }
}

// ---------------------------------------------------------------------------
// Display modes
// ---------------------------------------------------------------------------

const D3DModeRecord* CD3DApplication::CurrentMode() const
{
    if (adapter.dwCurrentDevice >= adapter.devices.size())
        return nullptr;
    const D3DDeviceRecord& dev = adapter.devices[adapter.dwCurrentDevice];
    if (dev.dwCurrentMode >= dev.modes.size())
        return nullptr;
    return &dev.modes[dev.dwCurrentMode];
}

static bool HasMode(const std::vector<D3DModeRecord>& modes, const D3DModeRecord& mode)
{
    for (size_t i = 0; i < modes.size(); i++) {
        if (modes[i].Width == mode.Width && modes[i].Height == mode.Height && modes[i].Format == mode.Format &&
            modes[i].windowed == mode.windowed)
            return true;
    }
    return false;
}

// One device with the window sizes that fit on the desktop (the size the program
// asked for first, which is the starting mode) and then the adapter's full-screen
// modes.
void CD3DApplication::BuildAdapterRecord()
{
    D3DDISPLAYMODE desktop;
    memset(&desktop, 0, sizeof(desktop));
    if (FAILED(d3d->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &desktop)) || desktop.Width == 0) {
        desktop.Width = 1024;
        desktop.Height = 768;
    }
    if (desktop.Format != D3DFMT_X8R8G8B8 && desktop.Format != D3DFMT_A8R8G8B8 && desktop.Format != D3DFMT_R5G6B5)
        desktop.Format = D3DFMT_X8R8G8B8;

    D3DDeviceRecord dev;
    dev.DeviceType = D3DDEVTYPE_HAL;
    dev.dwCurrentMode = 0;

    static const DWORD windowSizes[][2] = { { 640, 480 }, { 800, 600 }, { 1024, 768 }, { 1280, 960 } };
    D3DModeRecord mode;
    mode.Width = creationWidth;
    mode.Height = creationHeight;
    mode.Format = desktop.Format;
    mode.windowed = 1;
    dev.modes.push_back(mode);
    for (size_t i = 0; i < sizeof(windowSizes) / sizeof(windowSizes[0]); i++) {
        mode.Width = windowSizes[i][0];
        mode.Height = windowSizes[i][1];
        if (mode.Width <= desktop.Width && mode.Height <= desktop.Height && !HasMode(dev.modes, mode))
            dev.modes.push_back(mode);
    }

    UINT count = d3d->GetAdapterModeCount(D3DADAPTER_DEFAULT);
    for (UINT i = 0; i < count; i++) {
        D3DDISPLAYMODE display;
        if (FAILED(d3d->EnumAdapterModes(D3DADAPTER_DEFAULT, i, &display)))
            continue;
        if (display.Width < 640 || display.Height < 480)
            continue;
        mode.Width = display.Width;
        mode.Height = display.Height;
        mode.Format = display.Format;
        mode.windowed = 0;
        if (!HasMode(dev.modes, mode))
            dev.modes.push_back(mode);
    }

    adapter.devices.clear();
    adapter.devices.push_back(dev);
    adapter.dwCurrentDevice = 0;
    windowWidth = (int)creationWidth;
    windowHeight = (int)creationHeight;
}

HRESULT CD3DApplication::ChangeMode(int index)
{
    if (adapter.dwCurrentDevice >= adapter.devices.size())
        return E_FAIL;
    D3DDeviceRecord& dev = adapter.devices[adapter.dwCurrentDevice];
    if (index < 0 || (size_t)index >= dev.modes.size())
        return E_FAIL;
    dev.dwCurrentMode = (DWORD)index;
    if (dev.modes[index].windowed) {
        windowWidth = (int)dev.modes[index].Width;
        windowHeight = (int)dev.modes[index].Height;
    }
    // Usually asked for from inside an input handler: the device is reset at the
    // start of the next frame, outside every handler.
    pendingReset = 1;
    return S_OK;
}

void CD3DApplication::ResizeWindowedMode(int width, int height)
{
    windowWidth = width;
    windowHeight = height;
    pendingReset = 1;
}

HRESULT CD3DApplication::SaveDisplayMode()
{
    const D3DModeRecord* mode = CurrentMode();
    if (!mode || settingsFile.empty())
        return E_FAIL;
    FILE* file = fopen(settingsFile.c_str(), "w");
    if (!file) {
        CResourceManager::MessageLog()->Message(CMessageLog::WARNING, "the display settings cannot be saved");
        return E_FAIL;
    }
    fprintf(file, "%u %u %d %d\n", (unsigned)mode->Width, (unsigned)mode->Height, (int)mode->Format, mode->windowed);
    fclose(file);
    return S_OK;
}

// Picks the mode stored by SaveDisplayMode when it is still on offer; anything
// else in the file (or no file) keeps the starting mode.
void CD3DApplication::LoadDisplaySettings()
{
    if (settingsFile.empty())
        return;
    FILE* file = fopen(settingsFile.c_str(), "r");
    if (!file)
        return;
    unsigned width = 0, height = 0;
    int format = 0, windowed = 0;
    int fields = fscanf(file, "%u %u %d %d", &width, &height, &format, &windowed);
    fclose(file);
    if (fields != 4)
        return;
    D3DDeviceRecord& dev = adapter.devices[adapter.dwCurrentDevice];
    for (size_t i = 0; i < dev.modes.size(); i++) {
        const D3DModeRecord& mode = dev.modes[i];
        if (mode.Width == width && mode.Height == height && (int)mode.Format == format &&
            mode.windowed == (windowed ? 1 : 0)) {
            dev.dwCurrentMode = (DWORD)i;
            if (mode.windowed) {
                windowWidth = (int)width;
                windowHeight = (int)height;
            }
            return;
        }
    }
}

CMouse* CD3DApplication::LiveMouse()
{
    if (!g_pD3DApp || !CMouse::IsLive(g_pD3DApp->mouse))
        return nullptr;
    return g_pD3DApp->mouse;
}
