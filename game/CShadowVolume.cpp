#include "CShadowVolume.h"

#include "CStone.h"

namespace {

// A stone box as its vertex buffer holds it: twelve triangles of three
// consecutive vertices.
const int BOX_TRIANGLES = CStone::BOX_VERTICES / 3;

// Scratch edge list of the cube builder, shared by all volumes: three edges
// for each of the twelve triangles, as (start, end) pairs.
WORD cubeEdges[BOX_TRIANGLES * 3 * 2];

}

CShadowVolume::CShadowVolume()
    : count(0)
{
}

void CShadowVolume::AddEdge(WORD* edges, DWORD* count, WORD a, WORD b)
{
    // An edge that two lit triangles share drops out: only the silhouette stays.
    for (DWORD i = 0; i < *count; i++) {
        if ((edges[2 * i] == a && edges[2 * i + 1] == b) || (edges[2 * i] == b && edges[2 * i + 1] == a)) {
            if (*count > 1) {
                edges[2 * i] = edges[2 * (*count - 1)];
                edges[2 * i + 1] = edges[2 * (*count - 1) + 1];
            }
            (*count)--;
            return;
        }
    }
    edges[2 * (*count)] = a;
    edges[2 * (*count) + 1] = b;
    (*count)++;
}

void CShadowVolume::BuildFromCube(IDirect3DVertexBuffer8* buffer, D3DXVECTOR3 light)
{
    BYTE* data = nullptr;
    if (!buffer || FAILED(buffer->Lock(0, 0, &data, 0)) || !data)
        return;
    const CStone::Vertex* box = (const CStone::Vertex*)data;

    DWORD edgeCount = 0;
    for (int t = 0; t < BOX_TRIANGLES; t++) {
        WORD first = (WORD)(3 * t);
        if (D3DXVec3Dot(&box[first].normal, &light) >= 0.0f) {
            AddEdge(cubeEdges, &edgeCount, first, (WORD)(first + 1));
            AddEdge(cubeEdges, &edgeCount, (WORD)(first + 1), (WORD)(first + 2));
            AddEdge(cubeEdges, &edgeCount, (WORD)(first + 2), first);
        }
    }

    // Each edge becomes a quad drawn out away from the light.
    D3DXVECTOR3 extrude = light * 10.0f;
    for (DWORD i = 0; i < edgeCount && count + 6 <= MAX_VERTICES; i++) {
        D3DXVECTOR3 p = box[cubeEdges[2 * i]].position;
        D3DXVECTOR3 q = box[cubeEdges[2 * i + 1]].position;
        vertices[count++] = p;
        vertices[count++] = q;
        vertices[count++] = p - extrude;
        vertices[count++] = q;
        vertices[count++] = q - extrude;
        vertices[count++] = p - extrude;
    }

    buffer->Unlock();
}

void CShadowVolume::Render(IDirect3DDevice8* device)
{
    device->SetVertexShader(D3DFVF_XYZ);
    if (count >= 3)
        device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, count / 3, vertices, sizeof(D3DXVECTOR3));
}
