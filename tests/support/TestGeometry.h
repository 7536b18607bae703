// Vertex layouts, row-vector matrices, a light and a pretransformed quad that the
// drawing tests and the benchmark share. The matrices are written out by hand so the
// device tests do not lean on the math library they would then also be testing.
#ifndef ZARUL_TESTGEOMETRY_H
#define ZARUL_TESTGEOMETRY_H

#include <d3d8.h>

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

D3DMATRIX IdentityMatrix();
D3DMATRIX TranslationMatrix(float x, float y, float z);
// Left-handed perspective: z maps to 0 at the near plane and 1 at the far one.
D3DMATRIX PerspectiveMatrix(float fovY, float aspect, float zNear, float zFar);
// A left-handed view from the origin looking along d with up u.
D3DMATRIX LookToMatrix(float dx, float dy, float dz, float ux, float uy, float uz);

// A white directional light shining along (x, y, z).
D3DLIGHT8 WhiteLight(float x, float y, float z);
// A material that reflects all diffuse and ambient light.
D3DMATERIAL8 WhiteMaterial();

// The states of a shadow's darkening pass: blended by vertex alpha, without depth
// test, only over pixels whose stencil is at least 1.
void SetStencilShadeStates(IDirect3DDevice8* device);

// A quad from screen pixel (x1, y1) to (x2, y2) in one colour, pretransformed.
HRESULT DrawScreenQuad(IDirect3DDevice8* device, float x1, float y1, float x2, float y2, float z, D3DCOLOR color);

#endif
