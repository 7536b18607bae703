#include "RenderFixture.h"

#include <math.h>
#include <stdlib.h>

namespace {

LRESULT CALLBACK TestWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

} // namespace

void RenderFixture::SetUp()
{
    WNDCLASSA wc;
    memset(&wc, 0, sizeof(wc));
    wc.lpfnWndProc = TestWindowProc;
    wc.lpszClassName = "RenderFixture";
    RegisterClassA(&wc);
}

void RenderFixture::TearDown()
{
    if (device) {
        EXPECT_EQ(0u, device->Release());
    }
    if (d3d)
        d3d->Release();
    if (window)
        DestroyWindow(window);
}

void RenderFixture::CreateDevice(UINT w, UINT h)
{
    width = w;
    height = h;
    window = CreateWindowA("RenderFixture", "test", WS_OVERLAPPEDWINDOW, 0, 0, (int)w, (int)h, NULL, NULL, NULL,
                           NULL);
    ASSERT_TRUE(window != NULL);
    d3d = Direct3DCreate8(D3D_SDK_VERSION);
    ASSERT_TRUE(d3d != NULL);
    D3DPRESENT_PARAMETERS pp;
    memset(&pp, 0, sizeof(pp));
    pp.Windowed = TRUE;
    pp.BackBufferWidth = w;
    pp.BackBufferHeight = h;
    pp.BackBufferFormat = D3DFMT_X8R8G8B8;
    pp.SwapEffect = D3DSWAPEFFECT_DISCARD;
    pp.EnableAutoDepthStencil = TRUE;
    pp.AutoDepthStencilFormat = D3DFMT_D24S8;
    ASSERT_EQ(D3D_OK, d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window,
                                        D3DCREATE_HARDWARE_VERTEXPROCESSING, &pp, &device));
    ASSERT_TRUE(device != NULL);
}

DWORD RenderFixture::Pixel(int x, int y)
{
    IDirect3DSurface8* surface = NULL;
    EXPECT_EQ(D3D_OK, device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &surface));
    D3DLOCKED_RECT locked;
    EXPECT_EQ(D3D_OK, surface->LockRect(&locked, NULL, D3DLOCK_READONLY));
    const BYTE* p = (const BYTE*)locked.pBits + y * locked.Pitch + x * 4;
    DWORD pixel = ((DWORD)p[2] << 16) | ((DWORD)p[1] << 8) | p[0];
    surface->UnlockRect();
    surface->Release();
    return pixel;
}

void RenderFixture::SavePicture(const char* name)
{
    const char* folder = getenv("ZARUL_BUILD_DIR");
    std::string path = std::string(folder ? folder : ".") + "/" + name + ".png";
    EXPECT_EQ(D3D_OK, D3D8SaveBackBufferPNG(device, path.c_str()));
}

void RenderFixture::SetSimpleCamera()
{
    D3DMATRIX identity = IdentityMatrix();
    D3DMATRIX projection = PerspectiveMatrix(1.5707964f, (float)width / height, 1.0f, 100.0f);
    device->SetTransform(D3DTS_WORLD, &identity);
    device->SetTransform(D3DTS_VIEW, &identity);
    device->SetTransform(D3DTS_PROJECTION, &projection);
}

void RenderFixture::DrawScreenQuad(float x1, float y1, float x2, float y2, float z, D3DCOLOR color)
{
    ScreenVertex quad[4] = {
        {x1, y1, z, 1.0f, color},
        {x2, y1, z, 1.0f, color},
        {x1, y2, z, 1.0f, color},
        {x2, y2, z, 1.0f, color},
    };
    device->SetVertexShader(FVF_SCREEN);
    ASSERT_EQ(D3D_OK, device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(ScreenVertex)));
}

int Red(DWORD pixel)
{
    return (int)((pixel >> 16) & 0xFF);
}

int Green(DWORD pixel)
{
    return (int)((pixel >> 8) & 0xFF);
}

int Blue(DWORD pixel)
{
    return (int)(pixel & 0xFF);
}

D3DMATRIX IdentityMatrix()
{
    D3DMATRIX m;
    memset(&m, 0, sizeof(m));
    m._11 = m._22 = m._33 = m._44 = 1.0f;
    return m;
}

D3DMATRIX TranslationMatrix(float x, float y, float z)
{
    D3DMATRIX m = IdentityMatrix();
    m._41 = x;
    m._42 = y;
    m._43 = z;
    return m;
}

// Left-handed perspective: z maps to 0 at the near plane and 1 at the far one.
D3DMATRIX PerspectiveMatrix(float fovY, float aspect, float zNear, float zFar)
{
    D3DMATRIX m;
    memset(&m, 0, sizeof(m));
    float yScale = 1.0f / tanf(fovY / 2);
    m._11 = yScale / aspect;
    m._22 = yScale;
    m._33 = zFar / (zFar - zNear);
    m._34 = 1.0f;
    m._43 = -zNear * zFar / (zFar - zNear);
    return m;
}

// A left-handed view from the origin looking along d with up u.
D3DMATRIX LookToMatrix(float dx, float dy, float dz, float ux, float uy, float uz)
{
    float zx = dx, zy = dy, zz = dz;
    float length = sqrtf(zx * zx + zy * zy + zz * zz);
    zx /= length;
    zy /= length;
    zz /= length;
    float xx = uy * zz - uz * zy, xy = uz * zx - ux * zz, xz = ux * zy - uy * zx;
    length = sqrtf(xx * xx + xy * xy + xz * xz);
    xx /= length;
    xy /= length;
    xz /= length;
    float yx = zy * xz - zz * xy, yy = zz * xx - zx * xz, yz = zx * xy - zy * xx;
    D3DMATRIX m = IdentityMatrix();
    m._11 = xx;
    m._21 = xy;
    m._31 = xz;
    m._12 = yx;
    m._22 = yy;
    m._32 = yz;
    m._13 = zx;
    m._23 = zy;
    m._33 = zz;
    return m;
}
