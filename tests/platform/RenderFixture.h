// A window with a Direct3D device on it, for tests that draw and read pixels.
#ifndef ZARUL_RENDERFIXTURE_H
#define ZARUL_RENDERFIXTURE_H

#include <d3d8.h>
#include <gtest/gtest.h>

#include <string>

struct ColorVertex {
    float x, y, z;
    DWORD color;
};

struct ScreenVertex {
    float x, y, z, rhw;
    DWORD color;
};

struct LitVertex {
    float x, y, z;
    float nx, ny, nz;
    DWORD color;
    float u, v;
};

#define FVF_COLOR (D3DFVF_XYZ | D3DFVF_DIFFUSE)
#define FVF_SCREEN (D3DFVF_XYZRHW | D3DFVF_DIFFUSE)
#define FVF_LIT (D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE | D3DFVF_TEX1)

class RenderFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes the window and device at the given back-buffer size.
    void CreateDevice(UINT width, UINT height);

    // The back buffer's pixel at (x, y), top-left origin, as 0xRRGGBB.
    DWORD Pixel(int x, int y);

    // Writes the back buffer to <build folder>/<name>.png.
    void SavePicture(const char* name);

    // Identity world, a camera at the origin looking down +z and a 90 degree
    // perspective projection with near 1 and far 100.
    void SetSimpleCamera();

    // A quad from screen pixel (x1, y1) to (x2, y2) in one colour, pretransformed.
    void DrawScreenQuad(float x1, float y1, float x2, float y2, float z, D3DCOLOR color);

    HWND window = NULL;
    IDirect3D8* d3d = NULL;
    IDirect3DDevice8* device = NULL;
    UINT width = 0;
    UINT height = 0;
};

// Red, green and blue of a 0xRRGGBB pixel.
int Red(DWORD pixel);
int Green(DWORD pixel);
int Blue(DWORD pixel);

// Row-vector matrices for tests.
D3DMATRIX IdentityMatrix();
D3DMATRIX TranslationMatrix(float x, float y, float z);
D3DMATRIX PerspectiveMatrix(float fovY, float aspect, float zNear, float zFar);
D3DMATRIX LookToMatrix(float dx, float dy, float dz, float ux, float uy, float uz);

#endif
