// Bounding boxes and spheres over vertex buffers, and the ray-box probe.
#include "d3dx8math.h"

#include <cmath>

// Bytes between vertices of an FVF code; 0 when the vertices carry no position.
static UINT PositionStride(DWORD fvf)
{
    if ((fvf & D3DFVF_POSITION_MASK) == 0) {
        return 0;
    }
    return D3D8GetFVFVertexSize(fvf);
}

static D3DXVECTOR3 VertexPosition(const void *vertices, UINT stride, DWORD index)
{
    return D3DXVECTOR3((const FLOAT *)((const BYTE *)vertices + (size_t)index * stride));
}

HRESULT D3DXComputeBoundingBox(const void *vertices, DWORD count, DWORD fvf, D3DXVECTOR3 *min,
                               D3DXVECTOR3 *max)
{
    UINT stride = PositionStride(fvf);
    if (!vertices || !min || !max || count == 0 || stride == 0) {
        return D3DERR_INVALIDCALL;
    }
    D3DXVECTOR3 low = VertexPosition(vertices, stride, 0);
    D3DXVECTOR3 high = low;
    for (DWORD i = 1; i < count; i++) {
        D3DXVECTOR3 p = VertexPosition(vertices, stride, i);
        low = D3DXVECTOR3(fminf(low.x, p.x), fminf(low.y, p.y), fminf(low.z, p.z));
        high = D3DXVECTOR3(fmaxf(high.x, p.x), fmaxf(high.y, p.y), fmaxf(high.z, p.z));
    }
    *min = low;
    *max = high;
    return D3D_OK;
}

HRESULT D3DXComputeBoundingSphere(const void *vertices, DWORD count, DWORD fvf, D3DXVECTOR3 *centre,
                                  FLOAT *radius)
{
    UINT stride = PositionStride(fvf);
    if (!vertices || !centre || !radius || count == 0 || stride == 0) {
        return D3DERR_INVALIDCALL;
    }
    D3DXVECTOR3 sum(0.0f, 0.0f, 0.0f);
    for (DWORD i = 0; i < count; i++) {
        sum += VertexPosition(vertices, stride, i);
    }
    D3DXVECTOR3 mid = sum / (FLOAT)count;

    FLOAT farthest = 0.0f;
    for (DWORD i = 0; i < count; i++) {
        D3DXVECTOR3 offset = VertexPosition(vertices, stride, i) - mid;
        FLOAT distance = D3DXVec3Length(&offset);
        if (distance > farthest) {
            farthest = distance;
        }
    }
    *centre = mid;
    *radius = farthest;
    return D3D_OK;
}

BOOL D3DXBoxBoundProbe(const D3DXVECTOR3 *min, const D3DXVECTOR3 *max, const D3DXVECTOR3 *rayPos,
                       const D3DXVECTOR3 *rayDir)
{
    // Slab test: narrow the ray's parameter range [0, inf) by the three
    // pairs of faces; the ray hits when something of the range remains.
    const FLOAT *low = *min;
    const FLOAT *high = *max;
    const FLOAT *pos = *rayPos;
    const FLOAT *dir = *rayDir;
    FLOAT tnear = 0.0f;
    FLOAT tfar = INFINITY;
    for (int axis = 0; axis < 3; axis++) {
        if (dir[axis] == 0.0f) {
            if (pos[axis] < low[axis] || pos[axis] > high[axis]) {
                return FALSE;
            }
            continue;
        }
        FLOAT t1 = (low[axis] - pos[axis]) / dir[axis];
        FLOAT t2 = (high[axis] - pos[axis]) / dir[axis];
        if (t1 > t2) {
            FLOAT swap = t1;
            t1 = t2;
            t2 = swap;
        }
        if (t1 > tnear) {
            tnear = t1;
        }
        if (t2 < tfar) {
            tfar = t2;
        }
        if (tnear > tfar) {
            return FALSE;
        }
    }
    return TRUE;
}
