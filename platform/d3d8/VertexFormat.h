// Where each part of a vertex lies for a flexible-vertex-format code.
#ifndef ZARUL_VERTEXFORMAT_H
#define ZARUL_VERTEXFORMAT_H

#include <d3d8.h>

struct VertexFormat {
    UINT size;              // bytes per vertex
    bool pretransformed;    // x, y, z, rhw in screen pixels
    bool hasPosition;
    int normalOffset;       // -1 when absent
    int diffuseOffset;
    int specularOffset;
    UINT texCoordSets;
    UINT texCoordOffset[8];
    UINT texCoordSize[8];   // floats per set (1 to 4)
};

// Fills layout for an FVF code; false for codes that describe no vertex.
bool DecodeVertexFormat(DWORD fvf, VertexFormat* layout);

#endif
