#include "TestGeometry.h"

#include <math.h>
#include <string.h>

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

D3DLIGHT8 WhiteLight(float x, float y, float z)
{
    D3DLIGHT8 light;
    memset(&light, 0, sizeof(light));
    light.Type = D3DLIGHT_DIRECTIONAL;
    light.Diffuse.r = light.Diffuse.g = light.Diffuse.b = light.Diffuse.a = 1.0f;
    light.Direction.x = x;
    light.Direction.y = y;
    light.Direction.z = z;
    light.Range = 1000.0f;
    return light;
}

D3DMATERIAL8 WhiteMaterial()
{
    D3DMATERIAL8 material;
    memset(&material, 0, sizeof(material));
    material.Diffuse.r = material.Diffuse.g = material.Diffuse.b = material.Diffuse.a = 1.0f;
    material.Ambient = material.Diffuse;
    return material;
}

void SetStencilShadeStates(IDirect3DDevice8* device)
{
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
    device->SetRenderState(D3DRS_STENCILFUNC, D3DCMP_LESSEQUAL);
    device->SetRenderState(D3DRS_STENCILREF, 1);
    device->SetRenderState(D3DRS_STENCILPASS, D3DSTENCILOP_KEEP);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device->SetRenderState(D3DRS_ZENABLE, FALSE);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
}

HRESULT DrawScreenQuad(IDirect3DDevice8* device, float x1, float y1, float x2, float y2, float z, D3DCOLOR color)
{
    ScreenVertex quad[4] = {
        {x1, y1, z, 1.0f, color},
        {x2, y1, z, 1.0f, color},
        {x1, y2, z, 1.0f, color},
        {x2, y2, z, 1.0f, color},
    };
    device->SetVertexShader(FVF_SCREEN);
    return device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(ScreenVertex));
}
