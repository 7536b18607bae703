#include "HeadlessDevice.h"

#include "TestFiles.h"

#include <string.h>

static LRESULT CALLBACK HeadlessWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

bool HeadlessDevice::Open(UINT w, UINT h)
{
    WNDCLASSA wc;
    memset(&wc, 0, sizeof(wc));
    wc.lpfnWndProc = HeadlessWindowProc;
    wc.lpszClassName = "HeadlessDevice";
    RegisterClassA(&wc);

    width = w;
    height = h;
    window = CreateWindowA("HeadlessDevice", "test", WS_OVERLAPPEDWINDOW, 0, 0, (int)w, (int)h, nullptr, nullptr, nullptr,
                           nullptr);
    if (!window)
        return false;
    d3d = Direct3DCreate8(D3D_SDK_VERSION);
    if (!d3d)
        return false;
    D3DPRESENT_PARAMETERS pp;
    memset(&pp, 0, sizeof(pp));
    pp.Windowed = TRUE;
    pp.BackBufferWidth = w;
    pp.BackBufferHeight = h;
    pp.BackBufferFormat = D3DFMT_X8R8G8B8;
    pp.SwapEffect = D3DSWAPEFFECT_DISCARD;
    pp.EnableAutoDepthStencil = TRUE;
    pp.AutoDepthStencilFormat = D3DFMT_D24S8;
    if (FAILED(d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window, D3DCREATE_HARDWARE_VERTEXPROCESSING, &pp,
                                 &device)))
        device = nullptr;
    return device != nullptr;
}

ULONG HeadlessDevice::Close()
{
    ULONG left = 0;
    if (device)
        left = device->Release();
    if (d3d)
        d3d->Release();
    if (window)
        DestroyWindow(window);
    device = nullptr;
    d3d = nullptr;
    window = nullptr;
    return left;
}

DWORD HeadlessDevice::Pixel(int x, int y)
{
    IDirect3DSurface8* surface = nullptr;
    if (FAILED(device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &surface)))
        return 0xFFFFFFFF;
    D3DLOCKED_RECT locked;
    DWORD pixel = 0xFFFFFFFF;
    if (SUCCEEDED(surface->LockRect(&locked, nullptr, D3DLOCK_READONLY))) {
        const BYTE* p = (const BYTE*)locked.pBits + y * locked.Pitch + x * 4;
        pixel = ((DWORD)p[2] << 16) | ((DWORD)p[1] << 8) | p[0];
        surface->UnlockRect();
    }
    surface->Release();
    return pixel;
}

std::string HeadlessDevice::SavePicture(const char* fileName)
{
    std::string path = BuildPath(fileName);
    if (FAILED(D3D8SaveBackBufferPNG(device, path.c_str())))
        return "";
    return path;
}
