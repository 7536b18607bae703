#include "VertexFormat.h"

bool DecodeVertexFormat(DWORD fvf, VertexFormat* layout)
{
    memset(layout, 0, sizeof(*layout));
    layout->normalOffset = -1;
    layout->diffuseOffset = -1;
    layout->specularOffset = -1;
    UINT offset = 0;
    switch (fvf & D3DFVF_POSITION_MASK) {
    case 0:
        break;
    case D3DFVF_XYZRHW:
        layout->pretransformed = true;
        offset = 16;
        break;
    default:
        // XYZ followed by 0 to 5 blend weights.
        offset = 12 + 4 * (((fvf & D3DFVF_POSITION_MASK) - D3DFVF_XYZ) / 2);
        break;
    }
    layout->hasPosition = offset > 0;
    if (fvf & D3DFVF_NORMAL) {
        layout->normalOffset = (int)offset;
        offset += 12;
    }
    if (fvf & D3DFVF_PSIZE)
        offset += 4;
    if (fvf & D3DFVF_DIFFUSE) {
        layout->diffuseOffset = (int)offset;
        offset += 4;
    }
    if (fvf & D3DFVF_SPECULAR) {
        layout->specularOffset = (int)offset;
        offset += 4;
    }
    UINT sets = (fvf & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT;
    if (sets > 8)
        return false;
    layout->texCoordSets = sets;
    for (UINT i = 0; i < sets; i++) {
        static const UINT floatsForCode[4] = {2, 3, 4, 1};
        UINT floats = floatsForCode[(fvf >> (16 + i * 2)) & 3];
        layout->texCoordOffset[i] = offset;
        layout->texCoordSize[i] = floats;
        offset += floats * 4;
    }
    layout->size = offset;
    return layout->hasPosition;
}

UINT D3D8GetFVFVertexSize(DWORD fvf)
{
    VertexFormat layout;
    DecodeVertexFormat(fvf, &layout);
    return layout.size;
}
